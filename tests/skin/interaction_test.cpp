// Mouse gestures through the real widget and the events they raise, in order.
#include "skinwidget.h"

#include "skin/screencursors.h"
#include "skin/skinwriter.h"

#include <QDir>
#include <QMenu>
#include <QStringList>

using namespace velmoro::skin;
using namespace velmoro::test;

namespace {

class InteractionTest : public SkinWidgetTest {
protected:
    void SetUp() override
    {
        SkinWidgetTest::SetUp();
        TWinampSkin* s = m_skin.get();
        auto log = [this](const QString& text) { m_events << text; };
        auto plain = [&](void (TWinampSkin::*signal)(TWinampSkin*), const char* name) {
            QObject::connect(
                s, signal, [=](TWinampSkin* sender) { log(sender == s ? QString::fromLatin1(name) : "?"); });
        };
        plain(&TWinampSkin::OnBackClick, "Back");
        plain(&TWinampSkin::OnPlayClick, "Play");
        plain(&TWinampSkin::OnPauseClick, "Pause");
        plain(&TWinampSkin::OnStopClick, "Stop");
        plain(&TWinampSkin::OnForwardClick, "Forward");
        plain(&TWinampSkin::OnEjectClick, "Eject");
        plain(&TWinampSkin::OnCloseClick, "Close");
        plain(&TWinampSkin::OnMenuClick, "Menu");
        plain(&TWinampSkin::OnSkinChanged, "SkinChanged");
        QObject::connect(s, &TWinampSkin::OnPlaylistClick,
                         [=](TWinampSkin*, bool on) { log(QStringLiteral("Playlist %1").arg(on)); });
        QObject::connect(s, &TWinampSkin::OnEqualizerClick,
                         [=](TWinampSkin*, bool on) { log(QStringLiteral("Equalizer %1").arg(on)); });
        QObject::connect(s, &TWinampSkin::OnVolumeChange,
                         [=](TWinampSkin*, int v) { log(QStringLiteral("Volume %1").arg(v)); });
        QObject::connect(s, &TWinampSkin::OnBalanceChange,
                         [=](TWinampSkin*, int b) { log(QStringLiteral("Balance %1").arg(b)); });
        QObject::connect(s, &TWinampSkin::OnSticky,
                         [=](TWinampSkin*, bool on) { log(QStringLiteral("Sticky %1").arg(on)); });
    }

    QStringList Take()
    {
        QStringList events = m_events;
        m_events.clear();
        return events;
    }

    QStringList m_events;
};

TEST_F(InteractionTest, ButtonsActOnReleaseInside)
{
    const char* names[] = {"Back", "Play", "Pause", "Stop", "Forward"};
    for (int i = 0; i < 5; ++i) {
        Click({23 * i + 30, 95});
        EXPECT_EQ(Take(), QStringList{names[i]});
    }
    Click({147, 95});
    EXPECT_EQ(Take(), QStringList{"Eject"});

    Press({50, 95}); // play, released outside
    MoveTo({50, 110});
    EXPECT_EQ(m_skin->State().PressedButton, 0);
    Release({50, 110});
    EXPECT_TRUE(Take().isEmpty());

    Press({50, 95}); // out and back in again: pressed once more
    MoveTo({50, 110});
    MoveTo({52, 96});
    EXPECT_EQ(m_skin->State().PressedButton, 2);
    Release({52, 96});
    EXPECT_EQ(Take(), QStringList{"Play"});
    EXPECT_EQ(m_skin->DragMode(), 0);
}

TEST_F(InteractionTest, TogglesFlipTheirState)
{
    Click({180, 95});
    EXPECT_TRUE(m_skin->Checked().testFlag(ckShuffle));
    EXPECT_TRUE(m_skin->ShuffleOn);
    Click({220, 95});
    EXPECT_TRUE(m_skin->Checked().testFlag(ckRepeat));
    EXPECT_TRUE(m_skin->RepeatOn);
    EXPECT_TRUE(Take().isEmpty()); // shuffle and repeat raise nothing
    Click({230, 63});
    Click({250, 63});
    Click({230, 63});
    EXPECT_EQ(Take(), (QStringList{"Equalizer 1", "Playlist 1", "Equalizer 0"}));
    Click({180, 95});
    EXPECT_FALSE(m_skin->ShuffleOn);
    EXPECT_EQ(m_skin->Checked(), ckRepeat | ckPlaylist);
}

TEST_F(InteractionTest, VolumeClickMovesTheThumbAndDragRaisesEvents)
{
    Press({140, 63});
    EXPECT_EQ(m_skin->Volume(), 51); // round(360 / 7)
    EXPECT_TRUE(m_skin->State().VolumeDragging);
    Release({140, 63});
    EXPECT_TRUE(Take().isEmpty());

    Press({145, 63}); // on the thumb of 51 (hit area 143 to 157): no jump
    EXPECT_EQ(m_skin->Volume(), 51);
    MoveTo({155, 63});
    EXPECT_EQ(m_skin->Volume(), 70); // round(51 + 10 x 100 / 54)
    EXPECT_EQ(m_skin->State().MessageText, QStringLiteral("VOLUME: 70%"));
    EXPECT_TRUE(Shows({111, 27, 5, 6}, kTextId, {105, 0, 5, 6})); // "V"
    MoveTo({100, 63});
    MoveTo({180, 63});
    EXPECT_EQ(Take(), (QStringList{"Volume 70", "Volume 0", "Volume 100"}));
    EXPECT_EQ(ScreenCursors::Instance().ScreenCursor(), 24);
    Release({180, 63});
    EXPECT_TRUE(m_skin->State().MessageText.isEmpty());
    EXPECT_FALSE(m_skin->State().VolumeDragging);
    EXPECT_EQ(ScreenCursors::Instance().ScreenCursor(), 5);
    m_skin->SetTitle(QStringLiteral("OK"));
    EXPECT_TRUE(Shows({111, 27, 5, 6}, kTextId, {70, 0, 5, 6})); // the title is back
}

TEST_F(InteractionTest, BalanceSnapsToTheCentre)
{
    Press({200, 63}); // on the thumb of 50: no jump
    EXPECT_EQ(m_skin->Balance(), 50);
    for (int x : {201, 199}) { // 54 and 46 snap to the centre
        MoveTo({x, 63});
        EXPECT_EQ(m_skin->Balance(), 50) << x;
        EXPECT_EQ(m_skin->State().MessageText, QStringLiteral("BALANCE: CENTER"));
    }
    MoveTo({197, 63}); // round(50 - 300 / 28) = 39; the text follows the pointer
    EXPECT_EQ(m_skin->Balance(), 39);
    EXPECT_EQ(m_skin->State().MessageText, QStringLiteral("BALANCE: 6% LEFT"));
    MoveTo({210, 63});
    EXPECT_EQ(m_skin->Balance(), 86);
    EXPECT_EQ(m_skin->State().MessageText, QStringLiteral("BALANCE: 74% RIGHT"));
    MoveTo({215, 63}); // 50 + 15 x 100 / 28 overshoots: kept within 0..100
    EXPECT_EQ(m_skin->Balance(), 100);
    EXPECT_EQ(m_skin->State().MessageText, QStringLiteral("BALANCE: 100% RIGHT"));
    MoveTo({170, 63});
    EXPECT_EQ(m_skin->State().MessageText, QStringLiteral("BALANCE: 100% LEFT"));
    Release({170, 63});
    EXPECT_EQ(Take(), (QStringList{"Balance 50", "Balance 50", "Balance 39", "Balance 86", "Balance 100",
                                   "Balance 0"}));
    EXPECT_TRUE(m_skin->State().MessageText.isEmpty());

    Press({205, 63}); // off the thumb: jumps to round(2800 / 38) = 74
    EXPECT_EQ(m_skin->Balance(), 74);
    Release({205, 63});
    EXPECT_TRUE(Take().isEmpty());
}

TEST_F(InteractionTest, PositionBarOnlyWhenNotPlaying)
{
    for (TStatus status : {ssPlay, ssPause}) {
        m_skin->SetStatus(status);
        Press({100, 78});
        EXPECT_EQ(m_skin->DragMode(), 0);
        EXPECT_EQ(m_skin->PositionBar(), 0);
        Release({100, 78});
    }
    m_skin->SetStatus(ssStop);
    Press({100, 78});
    EXPECT_EQ(m_skin->PositionBar(), 86); // round(82 x 255 / 208) - 15
    EXPECT_TRUE(Shows({16 + 219 * 86 / 256, 72, 29, 10}, kPosBarId, {278, 0, 29, 10}));
    MoveTo({110, 78});
    EXPECT_EQ(m_skin->PositionBar(), 94); // round(10 x 255 / 215) + 82
    MoveTo({10, 78});
    EXPECT_EQ(m_skin->PositionBar(), 1);
    MoveTo({400, 78});
    EXPECT_EQ(m_skin->PositionBar(), 256);
    Release({400, 78});
    EXPECT_FALSE(m_skin->State().PositionDragging);
    EXPECT_TRUE(Take().isEmpty());
}

TEST_F(InteractionTest, TitleBarButtons)
{
    Click({268, 7});
    Click({10, 7});
    Press({268, 7}); // close, released elsewhere
    MoveTo({100, 50});
    Release({100, 50});
    EXPECT_EQ(Take(), (QStringList{"Close", "Menu"}));

    QMenu menu;
    menu.addAction(QStringLiteral("Esci"));
    m_skin->SetPopupMenu(&menu);
    Click({10, 7});
    EXPECT_TRUE(Take().isEmpty());
    EXPECT_TRUE(menu.isVisible());
    menu.hide();

    Click({258, 7});
    EXPECT_TRUE(m_skin->Sticky());
    m_skin->SetSticky(true);
    EXPECT_EQ(Take(), (QStringList{"Sticky 1", "Sticky 1"}));

    m_skin->show();
    Click({248, 7});
    EXPECT_TRUE(m_skin->isMinimized());
    EXPECT_TRUE(Take().isEmpty());
}

TEST_F(InteractionTest, ShadeModePressesActAtOnce)
{
    m_skin->SetSticky(true);
    Take();
    const std::pair<QPoint, const char*> presses[] = {{{170, 6}, "Back"},    {{180, 6}, "Play"},
                                                      {{190, 6}, "Pause"},   {{200, 6}, "Stop"},
                                                      {{210, 6}, "Forward"}, {{220, 8}, "Eject"}};
    for (const auto& [at, name] : presses) {
        Press(at);
        EXPECT_EQ(Take(), QStringList{name}) << name;
        Release(at);
        EXPECT_TRUE(Take().isEmpty());
    }
    Press({220, 4}); // the eject area starts one row lower
    Release({220, 4});
    Click({50, 95}); // no transport buttons below the shade bar
    EXPECT_TRUE(Take().isEmpty());
    Click({258, 7});
    EXPECT_EQ(Take(), QStringList{"Sticky 0"});
}

TEST_F(InteractionTest, ScreenCursorFollowsThePointer)
{
    ScreenCursors& cursors = ScreenCursors::Instance();
    const std::pair<QPoint, int> spots[] = {
        {{270, 6}, 22},  {{150, 30}, 6}, {{245, 6}, 8}, {{252, 6}, 19}, {{100, 77}, 26},
        {{150, 65}, 24}, {{5, 5}, 27},   {{50, 50}, 5}, {{240, 6}, 8},
    };
    for (const auto& [at, slot] : spots) {
        Hover(at);
        EXPECT_EQ(cursors.ScreenCursor(), slot) << at.x() << "," << at.y();
    }
    Press({150, 30}); // dragging the title shows the song-name cursor wherever it goes
    MoveTo({40, 100});
    EXPECT_EQ(cursors.ScreenCursor(), 6);
    MoveTo({5, 5});
    EXPECT_EQ(cursors.ScreenCursor(), 27);
    Release({5, 5});
    EXPECT_EQ(cursors.ScreenCursor(), 5);
}

TEST_F(InteractionTest, LoadingRepaintsAndAnnouncesOnlyOnSuccess)
{
    QTemporaryDir other;
    WriteCoordSkin(other.path(), {"main.bmp"});
    WriteFile(QDir(other.path()).filePath("MAIN.bmp"), EncodeBmp24(CoordImage(kNumsExId, {275, 116})));
    WriteFile(QDir(other.path()).filePath("normal.cur"), EncodeCursor(CursorPicture(qRgb(9, 9, 9)), {4, 5}));
    WriteFile(QDir(other.path()).filePath("MainMenu.cur"),
              EncodeCursor(CursorPicture(qRgb(9, 9, 9)), {6, 7}));
    int seen = 0;
    QObject::connect(m_skin.get(), &TWinampSkin::OnSkinChanged, [&] { seen = At(5, 50).id; });
    ASSERT_EQ(m_skin->LoadSkin(other.path()), 0);
    EXPECT_EQ(seen, kNumsExId); // raised after the repaint
    EXPECT_EQ(Take(), QStringList{"SkinChanged"});
    EXPECT_EQ(ScreenCursors::Instance().Cursor(5).hotSpot(), QPoint(4, 5));
    EXPECT_EQ(m_skin->cursor().hotSpot(), QPoint(4, 5));
    EXPECT_EQ(ScreenCursors::Instance().Cursor(27).hotSpot(), QPoint(6, 7));

    WriteFile(QDir(m_dir.path()).filePath("shufrep.bmp"), QByteArray("BM broken"));
    const QImage before = m_skin->Canvas();
    EXPECT_EQ(m_skin->LoadSkin(m_dir.path()), -1);
    EXPECT_TRUE(Take().isEmpty());
    EXPECT_EQ(m_skin->Canvas(), before);                                        // not repainted
    EXPECT_EQ(DecodeCoord(m_skin->Skin().MainBitmap.pixel(5, 50)).id, kMainId); // but loaded so far
    EXPECT_EQ(ScreenCursors::Instance().Cursor(27).hotSpot(), QPoint(6, 7));    // slot 27 stays
}

} // namespace
