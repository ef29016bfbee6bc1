// The skinned-window kit on its own: a tiny window of two sheets with one
// button and one slider driven through the gesture machine, skin sources,
// the window move, and the checks on indices from outside.
#include "skincraft.h"

#include "skin/elements.h"
#include "skin/gesture.h"
#include "skin/screencursors.h"
#include "skin/sheetloader.h"
#include "skin/skindirectory.h"
#include "skin/skinwriter.h"

#include <QLoggingCategory>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>

using namespace velmoro::skin;
using namespace velmoro::test;

namespace {

constexpr int kBackgroundId = 1;
constexpr int kSpritesId = 2;
constexpr int kButtonMode = 1;
constexpr int kSliderMode = 2;

// 40 x 10: a button on the left, a slider on the rest.
struct TinyWindow {
    static constexpr ButtonElement kButton{1, {-1, 10, -1, 10}, 1, {0, 0, 10, 10}, {0, 0, 10, 10}, {0, 10},
                                           {}};
    static constexpr SliderElement kSlider{{10, 0, 30, 10}, {10, 0, 30, 5}, 1, {10, 0, 30, 5}, 5, 2,
                                           {0, 10, 4, 4},   {4, 10, 4, 4}};
    static constexpr HitBox kSliderHit{10, 40, -1, 10};

    QImage background = CoordImage(kBackgroundId, {40, 10});
    QImage sprites = CoordImage(kSpritesId, {40, 20});
    std::array<const QImage*, 2> sheets{&background, &sprites};
    QImage image = NewWindowImage({40, 10});
    SpriteCanvas canvas{image, sheets, 0};
    int pressed = 0;
    int value = 0;
    bool held = false;
    int clicks = 0;

    QRect ThumbRect() const { return {10 + value, 5, 4, 4}; }
    void DrawButton() { EXPECT_EQ(DrawButtons(canvas, {&kButton, 1}, pressed), kButton.to); }
    void DrawValue()
    {
        EXPECT_EQ(DrawSlider(canvas, kSlider, value >= 8 ? 1 : 0, ThumbRect(), held, true), kSlider.track);
    }
    void SetValue(QPoint p)
    {
        value = std::clamp(p.x() - 10, 0, 16);
        DrawValue();
    }

    GestureMachine machine{{
        {kButtonMode,
         [this](QPoint p) {
             pressed = ButtonHit({&kButton, 1}, p);
             DrawButton();
             return pressed != 0;
         },
         [this](QPoint p, QPoint) {
             pressed = ButtonHit({&kButton, 1}, p);
             DrawButton();
         },
         [this](QPoint) {
             clicks += pressed != 0;
             pressed = 0;
             DrawButton();
         }},
        {kSliderMode,
         [this](QPoint p) {
             if (!kSliderHit.Contains(p))
                 return false;
             held = true;
             SetValue(p);
             return true;
         },
         [this](QPoint p, QPoint) { SetValue(p); },
         [this](QPoint) {
             held = false;
             DrawValue();
         }},
    }};
};

enum class Act { Press, Move, Release };

struct Step {
    Act act;
    QPoint at;
    int modeAfter;
};

struct GestureCase {
    const char* name;
    std::vector<Step> steps;
    int clicks;
    int value;
};

TEST(GestureMachineTest, TheRowThatTookThePressKeepsTheGesture)
{
    const std::vector<GestureCase> cases = {
        {"click", {{Act::Press, {5, 5}, kButtonMode}, {Act::Release, {5, 5}, 0}}, 1, 0},
        {"slide off the button",
         {{Act::Press, {5, 5}, kButtonMode}, {Act::Move, {30, 5}, kButtonMode}, {Act::Release, {30, 5}, 0}},
         0,
         0},
        {"off and back on",
         {{Act::Press, {5, 5}, kButtonMode},
          {Act::Move, {30, 5}, kButtonMode},
          {Act::Move, {6, 6}, kButtonMode},
          {Act::Release, {6, 6}, 0}},
         1,
         0},
        {"slider drag past its end and over the button",
         {{Act::Press, {20, 5}, kSliderMode},
          {Act::Move, {100, 5}, kSliderMode},
          {Act::Move, {5, 5}, kSliderMode},
          {Act::Move, {22, 5}, kSliderMode},
          {Act::Release, {5, 5}, 0}},
         0,
         12},
        {"press on nothing",
         {{Act::Press, {5, 30}, 0}, {Act::Move, {5, 5}, 0}, {Act::Release, {5, 5}, 0}},
         0,
         0},
        {"move and release without a press", {{Act::Move, {20, 5}, 0}, {Act::Release, {5, 5}, 0}}, 0, 0},
    };
    for (const GestureCase& c : cases) {
        SCOPED_TRACE(c.name);
        TinyWindow w;
        w.canvas.Restore(w.image.rect());
        w.DrawButton();
        w.DrawValue();
        for (const Step& step : c.steps) {
            switch (step.act) {
            case Act::Press:
                w.machine.Press(step.at);
                EXPECT_TRUE(w.machine.Held());
                EXPECT_EQ(w.machine.Start(), step.at);
                break;
            case Act::Move:
                EXPECT_EQ(w.machine.Move(step.at), w.machine.Held());
                break;
            case Act::Release:
                w.machine.Release(step.at);
                EXPECT_FALSE(w.machine.Held());
                break;
            }
            EXPECT_EQ(w.machine.Mode(), step.modeAfter);
            // The button shows its pressed cell exactly while it is held on it.
            const Coord button = DecodeCoord(w.image.pixel(5, 5));
            EXPECT_EQ(button, (Coord{kSpritesId, 5, w.pressed ? 15 : 5})) << (w.pressed ? "pressed" : "free");
        }
        EXPECT_EQ(w.clicks, c.clicks);
        EXPECT_EQ(w.value, c.value);
        EXPECT_FALSE(w.pressed);
        if (w.machine.Mode() == 0 && c.value > 0) {
            // The free thumb stands at the value on the bar's second frame;
            // the background shows under the rest of the track.
            EXPECT_EQ(DecodeCoord(w.image.pixel(10 + c.value, 5)), (Coord{kSpritesId, 0, 10}));
            EXPECT_EQ(DecodeCoord(w.image.pixel(11, 2)), (Coord{kSpritesId, 11, 7}));
            EXPECT_EQ(DecodeCoord(w.image.pixel(35, 8)), (Coord{kBackgroundId, 35, 8}));
        }
    }
}

TEST(GestureMachineTest, AllRowsAreAskedAndTheLastTakerWins)
{
    std::vector<int> asked;
    const auto row = [&](int mode, bool takes) {
        return GestureRow{mode,
                          [&asked, mode, takes](QPoint) {
                              asked.push_back(mode);
                              return takes;
                          },
                          {},
                          {},
                          mode * 10};
    };
    GestureMachine machine({row(1, true), row(2, false), row(3, true), row(4, false)});
    machine.Press({0, 0});
    EXPECT_EQ(asked, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(machine.Mode(), 3);
    EXPECT_EQ(machine.HeldCursor(), 30);
    EXPECT_TRUE(machine.Move({1, 1})); // rows without handlers are fine
    machine.Release({1, 1});
    EXPECT_EQ(machine.HeldCursor(), kNoCursorChange);
}

// Warnings of velmoro.skin while it lives.
class SkinWarnings {
public:
    SkinWarnings()
    {
        s_seen.clear();
        QLoggingCategory::setFilterRules(QStringLiteral("velmoro.skin.warning=true"));
        m_previous = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
                if (type == QtWarningMsg && QLatin1String(context.category) == QLatin1String("velmoro.skin"))
                    s_seen << text;
            });
    }
    ~SkinWarnings()
    {
        qInstallMessageHandler(m_previous);
        QLoggingCategory::setFilterRules(QString());
    }
    static inline QStringList s_seen;

private:
    QtMessageHandler m_previous = nullptr;
};

TEST(SkinSourceTest, FolderFindsSheetsInAnyCaseAndTellsMissingFromUnreadable)
{
    QTemporaryDir dir;
    WriteFile(dir.filePath("MAIN.BMP"), EncodeBmp24(CoordImage(3, {8, 8})));
    WriteFile(dir.filePath("Main.bmp"), EncodeBmp24(CoordImage(4, {8, 8})));
    WriteFile(dir.filePath("text.BMP"), "BM but nothing more");
    const SkinDirectory source(dir.path());
    EXPECT_EQ(source.Where(), dir.path());

    QImage sheet;
    EXPECT_EQ(LoadSheet(source, "main.bmp", sheet), FileLoad::Loaded);
    EXPECT_EQ(DecodeCoord(sheet.pixel(1, 1)).id, 3); // "MAIN.BMP" sorts first
    EXPECT_EQ(LoadSheet(source, "Main.bmp", sheet), FileLoad::Loaded);
    EXPECT_EQ(DecodeCoord(sheet.pixel(1, 1)).id, 4); // the exact spelling wins

    SkinWarnings warnings;
    EXPECT_EQ(LoadSheet(source, "posbar.bmp", sheet), FileLoad::Missing);
    EXPECT_TRUE(SkinWarnings::s_seen.isEmpty()); // a missing sheet is no failure
    EXPECT_EQ(LoadSheet(source, "TEXT.bmp", sheet), FileLoad::Unreadable);
    EXPECT_EQ(DecodeCoord(sheet.pixel(1, 1)).id, 4);
    ASSERT_EQ(SkinWarnings::s_seen.size(), 1);
    EXPECT_TRUE(SkinWarnings::s_seen[0].contains("TEXT.bmp")) << SkinWarnings::s_seen[0].toStdString();

    WriteFile(dir.filePath("VISCOLOR.TXT"), "1,2,3\n1,x,3\n");
    WriteFile(dir.filePath("Normal.Cur"), "no cursor");
    const SkinDirectory again(dir.path());
    SkinColorTable colours = BuiltInSkinColors();
    // A colour that is not numeric keeps its value and warns; the file still loads.
    EXPECT_EQ(LoadColorFile(again, "viscolor.txt", colours), FileLoad::Loaded);
    EXPECT_EQ(colours[0], 0x00030201u);
    EXPECT_EQ(colours[1], BuiltInSkinColors()[1]);
    EXPECT_FALSE(LoadCursorFile(again, "normal.cur").has_value());
    EXPECT_EQ(SkinWarnings::s_seen.size(), 3);
}

TEST(SkinSourceTest, TheBuiltInSkinIsASourceLikeAnyOther)
{
    const SkinSource& builtIn = BuiltInSkin();
    EXPECT_TRUE(builtIn.Has("main.bmp"));
    EXPECT_TRUE(builtIn.Has("Normal.cur"));
    EXPECT_FALSE(builtIn.Has("mainmenu.cur"));
    QImage sheet;
    EXPECT_EQ(LoadSheet(builtIn, "pledit.bmp", sheet), FileLoad::Loaded);
    EXPECT_FALSE(sheet.isNull());
}

TEST(KitChecksTest, IndicesFromOutsideAreRefused)
{
    TinyWindow w;
    EXPECT_DEBUG_DEATH(w.canvas.Draw({0, 0, 4, 4}, 2, {0, 0, 4, 4}), "check failed");
    EXPECT_DEBUG_DEATH(DrawSlider(w.canvas, TinyWindow::kSlider, 2, w.ThumbRect(), false, true),
                       "check failed");
    EXPECT_DEBUG_DEATH(ScreenCursors::Instance().SetScreenCursor(28), "check failed");
    EXPECT_DEBUG_DEATH(ScreenCursors::Instance().Install(4, CursorImage{}), "check failed");
}

} // namespace
