// The clutterbar, the shade mode's position bar and double size, through the
// real widget over a coordinate skin.
#include "skinwidget.h"

#include "skin/skingeometry.h"

#include <QStringList>

using namespace velmoro::skin;
using namespace velmoro::test;

namespace {

class ClutterBarTest : public SkinWidgetTest {
protected:
    void SetUp() override
    {
        SkinWidgetTest::SetUp();
        QObject::connect(m_skin.get(), &TWinampSkin::OnClutterClick,
                         [this](TWinampSkin*, int button, QPoint) { m_clicks.push_back(button); });
        QObject::connect(m_skin.get(), &TWinampSkin::OnPlayClick, [this] { m_clicks.push_back(-1); });
    }

    // Rectangle `to` shows the bar's own column, or a lit cell in each lit
    // button's place.
    testing::AssertionResult ShowsBar(std::initializer_list<int> lit) const
    {
        for (const ClutterButtonCell& button : ClutterButtons()) {
            const bool on = std::find(lit.begin(), lit.end(), button.id) != lit.end();
            const QRect from = on ? QRect(button.litAt, button.area.size())
                                  : button.area.translated(QPoint(304, 0) - kClutterBarArea.topLeft());
            if (testing::AssertionResult shown = Shows(button.area, kTitlebarId, from); !shown)
                return shown << " button " << button.id;
        }
        return testing::AssertionSuccess();
    }

    std::vector<int> m_clicks;
};

TEST_F(ClutterBarTest, ButtonsLightWhileHeldAndActOnReleaseInside)
{
    EXPECT_TRUE(Shows(kClutterBarArea, kTitlebarId, {304, 0, 8, 43}));
    const struct {
        QPoint at;
        int id;
    } buttons[] = {{{12, 25}, kClutterOptions},
                   {{17, 39}, kClutterOnTop},
                   {{10, 40}, kClutterFileInfo},
                   {{14, 54}, kClutterDoubleSize},
                   {{13, 61}, kClutterVisualization}};
    for (const auto& b : buttons) {
        Press(b.at);
        EXPECT_TRUE(ShowsBar({b.id})) << b.id;
        Release(b.at);
        EXPECT_TRUE(ShowsBar({})) << b.id;
    }
    EXPECT_EQ(m_clicks, (std::vector<int>{1, 2, 3, 4, 5}));

    m_clicks.clear();
    Press({12, 26}); // O, then off it: unlit, and no action
    MoveTo({30, 26});
    EXPECT_TRUE(ShowsBar({}));
    Release({30, 26});
    Click({12, 23}); // above the buttons, on the bar's edge
    Click({9, 30});
    EXPECT_TRUE(m_clicks.empty());

    m_skin->SetClutterModes(cmOnTop | cmDoubleSize);
    EXPECT_TRUE(ShowsBar({kClutterOnTop, kClutterDoubleSize}));
    m_skin->Repaint();
    EXPECT_TRUE(ShowsBar({kClutterOnTop, kClutterDoubleSize}));

    m_skin->SetSticky(true); // rolled up, the bar is out of sight and out of reach
    Click({12, 13});
    EXPECT_TRUE(m_clicks.empty());
}

TEST_F(ClutterBarTest, ShadeModeHasItsOwnPositionBar)
{
    m_skin->SetSticky(true);
    m_skin->SetPositionBar(0);
    EXPECT_TRUE(Shows(kShadePositionBar, kTitlebarId, {0, 36, 17, 7}));
    const struct {
        int position, x, cell;
    } cases[] = {{1, 226, 17}, {85, 230, 17}, {128, 233, 20}, {200, 236, 23}, {256, 240, 23}};
    for (const auto& c : cases) {
        m_skin->SetPositionBar(c.position);
        EXPECT_TRUE(Shows({c.x, 4, 3, 7}, kTitlebarId, {c.cell, 36, 3, 7})) << c.position;
        EXPECT_TRUE(Shows(kShadePositionBar, kTitlebarId, {0, 36, 17, 7}, {226, 4, c.x - 226, 7}))
            << c.position;
    }
    m_skin->SetSticky(false); // the big bar is back
    EXPECT_TRUE(Shows({235, 72, 29, 10}, kPosBarId, {248, 0, 29, 10}));
}

TEST_F(ClutterBarTest, DoubleSizeShowsEveryPixelAsASquareAndScalesThePresses)
{
    m_skin->SetScale(2);
    EXPECT_EQ(m_skin->size(), QSize(550, 232));
    const QImage shown = m_skin->grab().toImage();
    ASSERT_EQ(shown.size(), QSize(550, 232));
    const QImage& canvas = m_skin->Canvas();
    for (int y = 0; y < 116; y += 3)
        for (int x = 0; x < 275; x += 2)
            for (const QPoint d : {QPoint(0, 0), QPoint(1, 1)})
                ASSERT_EQ(shown.pixel(2 * x + d.x(), 2 * y + d.y()), canvas.pixel(x, y)) << x << "," << y;

    Click({2 * 14, 2 * 50});         // D
    Click({2 * 50 + 1, 2 * 95 + 1}); // play
    Click({2 * 12, 2 * 150});        // below the window: nothing
    EXPECT_EQ(m_clicks, (std::vector<int>{kClutterDoubleSize, -1}));
    m_skin->SetSticky(true);
    EXPECT_EQ(m_skin->size(), QSize(550, 28));
    m_skin->SetScale(1);
    EXPECT_EQ(m_skin->size(), QSize(275, 14));
}

} // namespace
