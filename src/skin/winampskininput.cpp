// Mouse gestures of TWinampSkin: the rows of its gesture table, and what
// each button, slider and drag of the main window does.
#include "skin/winampskin.h"

#include "skin/mainwindowtable.h"
#include "skin/screencursors.h"
#include "skin/skingeometry.h"

#include <QMenu>
#include <QMouseEvent>

#include <algorithm>
#include <cstdlib>

namespace velmoro::skin {

namespace {

// The modes DragMode() reports.
enum DragModes { kNone, kButton, kVolume, kBalance, kTitleButton, kPosition, kTitleText, kClutterBar };

} // namespace

// The volume and balance sliders take a press alike: away from the thumb it
// jumps there, and the thumb shows held until the release.
struct TWinampSkin::SliderGrip {
    HitBox hit;
    bool (*onThumb)(QPoint p, int value);
    int (*valueAt)(int x);
    int DrawState::*value;
    bool DrawState::*held;
    QRect (SkinPainter::*paint)(const DrawState&);
};

const TWinampSkin::SliderGrip TWinampSkin::kVolumeGrip{kVolumeHit,
                                                       OnVolumeThumb,
                                                       VolumeAt,
                                                       &DrawState::Volume,
                                                       &DrawState::VolumeDragging,
                                                       &SkinPainter::VolumeSlider};
const TWinampSkin::SliderGrip TWinampSkin::kBalanceGrip{kBalanceHit,
                                                        OnBalanceThumb,
                                                        BalanceAt,
                                                        &DrawState::Balance,
                                                        &DrawState::BalanceDragging,
                                                        &SkinPainter::BalanceSlider};

// Later rows win where their areas overlap; in shade mode only the title
// bar's buttons answer.
std::vector<GestureRow> TWinampSkin::GestureRows()
{
    const auto shaded = [this] { return m_state.Sticky; };
    return {
        {kNone,
         [this, shaded](QPoint p) {
             if (shaded())
                 EmitClick(ShadedButtonAt(p));
             return false;
         },
         {},
         {}},
        {kButton, [this, shaded](QPoint p) { return !shaded() && PressButtons(p); },
         [this](QPoint p, QPoint) { PressButtons(p); }, [this](QPoint) { ReleaseButton(); }},
        {kVolume, [this, shaded](QPoint p) { return !shaded() && PressSlider(p, kVolumeGrip); },
         [this](QPoint p, QPoint start) { DragVolume(p.x(), start.x()); },
         [this](QPoint) { ReleaseSlider(kVolumeGrip); }, kVolBalCursor},
        {kBalance, [this, shaded](QPoint p) { return !shaded() && PressSlider(p, kBalanceGrip); },
         [this](QPoint p, QPoint start) { DragBalance(p.x(), start.x()); },
         [this](QPoint) { ReleaseSlider(kBalanceGrip); }, kVolBalCursor},
        {kPosition, [this, shaded](QPoint p) { return !shaded() && PressPosition(p); },
         [this](QPoint p, QPoint start) {
             const int x = p.x();
             m_state.PositionBar =
                 x > 17 ? std::min(RoundDiv((x - start.x()) * 255LL, 215) + m_dragStartPosition, 256) : 1;
             Redraw(Painter().PositionBar(m_state));
         },
         [this](QPoint) {
             m_state.PositionDragging = false;
             Redraw(Painter().PositionBar(m_state));
         }},
        {kTitleText,
         [this, shaded](QPoint p) {
             if (shaded() || !kTitleTextHit.Contains(p))
                 return false;
             m_scrollTimer.stop();
             m_dragStartOffset = m_state.ScrollOffset;
             return true;
         },
         [this](QPoint p, QPoint start) {
             m_state.ScrollOffset = m_dragStartOffset - (p.x() - start.x());
             Redraw(Painter().Title(m_state));
         },
         [this](QPoint) { m_scrollTimer.start(); }, kSongNameCursor},
        {kClutterBar, [this, shaded](QPoint p) { return !shaded() && PressClutterBar(p); },
         [this](QPoint p, QPoint) { PressClutterBar(p); }, [this](QPoint p) { ReleaseClutterBar(p); }},
        {kTitleButton, [this](QPoint p) { return PressTitleButtons(p); },
         [this](QPoint p, QPoint) {
             m_state.PressedTitleButton = TitleButtonAt(p);
             Redraw(Painter().TitleButtons(m_state));
         },
         [this](QPoint p) { ReleaseTitleButton(p); }},
    };
}

void TWinampSkin::mousePressEvent(QMouseEvent* event)
{
    m_gesture.Press(Unscaled(event->position().toPoint()));
}

void TWinampSkin::mouseMoveEvent(QMouseEvent* event)
{
    Move(Unscaled(event->position().toPoint()));
}

void TWinampSkin::mouseReleaseEvent(QMouseEvent* event)
{
    m_gesture.Release(Unscaled(event->position().toPoint()));
    ScreenCursors::Instance().SetScreenCursor(kNormalCursor);
}

bool TWinampSkin::PressButtons(QPoint p)
{
    m_state.PressedButton = ButtonAt(p);
    Redraw(Painter().Buttons(m_state));
    Redraw(Painter().Toggles(m_state));
    return m_state.PressedButton != 0;
}

bool TWinampSkin::PressTitleButtons(QPoint p)
{
    m_state.PressedTitleButton = TitleButtonAt(p);
    if (m_state.PressedTitleButton == 0)
        return false;
    Redraw(Painter().TitleButtons(m_state));
    return true;
}

bool TWinampSkin::PressSlider(QPoint p, const SliderGrip& grip)
{
    if (!grip.hit.Contains(p))
        return false;
    int& value = m_state.*grip.value;
    m_state.*grip.held = true;
    if (!grip.onThumb(p, value))
        value = grip.valueAt(p.x());
    m_dragStartValue = value;
    Redraw((Painter().*grip.paint)(m_state));
    return true;
}

void TWinampSkin::ReleaseSlider(const SliderGrip& grip)
{
    m_state.*grip.held = false;
    Redraw((Painter().*grip.paint)(m_state));
    ShowMessage(QString());
}

// The position bar is dragged only while nothing plays.
bool TWinampSkin::PressPosition(QPoint p)
{
    if (!kPositionHit.Contains(p) || m_state.Status == ssPlay || m_state.Status == ssPause)
        return false;
    m_state.PositionDragging = true;
    m_dragStartPosition = p.x() - 18;
    if (!OnPositionThumb(p, m_state.PositionBar))
        m_state.PositionBar = std::min(RoundDiv((p.x() - 18) * 255LL, 208) - 15, 256);
    Redraw(Painter().PositionBar(m_state));
    return true;
}

void TWinampSkin::ShowMessage(const QString& text)
{
    m_state.MessageText = text;
    Redraw(Painter().Title(m_state));
}

void TWinampSkin::DragVolume(int x, int startX)
{
    if (x <= 104)
        m_state.Volume = 0;
    else if (x >= 172)
        m_state.Volume = 100;
    else if (x != startX)
        m_state.Volume = std::clamp(RoundDiv(m_dragStartValue * 54LL + (x - startX) * 100LL, 54), 0, 100);
    Redraw(Painter().VolumeSlider(m_state));
    emit OnVolumeChange(this, m_state.Volume);
    ShowMessage(QStringLiteral("VOLUME: %1%").arg(m_state.Volume));
}

void TWinampSkin::DragBalance(int x, int startX)
{
    int& balance = m_state.Balance;
    if (x <= 176)
        balance = 0;
    else if (x >= 216)
        balance = 100;
    else if (x != startX) // a drag can overshoot the ends: keep it a balance
        balance = std::clamp(RoundDiv(m_dragStartValue * 28LL + (x - startX) * 100LL, 28), 0, 100);
    const int pan = 2 * BalanceAt(x) - 100;
    QString text;
    if (balance <= 45) {
        text = QStringLiteral("%1% LEFT").arg(std::abs(pan));
    } else if (balance < 55) {
        balance = 50;
        text = QStringLiteral("CENTER");
    } else {
        text = QStringLiteral("%1% RIGHT").arg(pan);
    }
    Redraw(Painter().BalanceSlider(m_state));
    ShowMessage(QStringLiteral("BALANCE: ") + text);
    emit OnBalanceChange(this, balance);
}

void TWinampSkin::Move(QPoint p)
{
    const int cursor =
        m_gesture.Move(p) ? m_gesture.HeldCursor() : CursorAt(HoverCursorAreas(), p, kNormalCursor);
    const int shown = CursorAt(FixedCursorAreas(), p, cursor);
    if (shown != kNoCursorChange)
        ScreenCursors::Instance().SetScreenCursor(shown);
}

void TWinampSkin::EmitClick(int button)
{
    switch (button) {
    case kBackButton:
        emit OnBackClick(this);
        break;
    case kPlayButton:
        emit OnPlayClick(this);
        break;
    case kPauseButton:
        emit OnPauseClick(this);
        break;
    case kStopButton:
        emit OnStopClick(this);
        break;
    case kForwardButton:
        emit OnForwardClick(this);
        break;
    case kEjectButton:
        emit OnEjectClick(this);
        break;
    default:
        break;
    }
}

void TWinampSkin::ReleaseButton()
{
    switch (m_state.PressedButton) {
    case kShuffleButton:
        m_state.Checked ^= ckShuffle;
        ShuffleOn = !ShuffleOn;
        break;
    case kRepeatButton:
        m_state.Checked ^= ckRepeat;
        RepeatOn = !RepeatOn;
        break;
    case kEqualizerButton:
        m_state.Checked ^= ckEqualizer;
        emit OnEqualizerClick(this, m_state.Checked.testFlag(ckEqualizer));
        break;
    case kPlaylistButton:
        m_state.Checked ^= ckPlaylist;
        emit OnPlaylistClick(this, m_state.Checked.testFlag(ckPlaylist));
        break;
    default:
        EmitClick(m_state.PressedButton);
        break;
    }
    m_state.PressedButton = 0;
    Redraw(Painter().Toggles(m_state));
    Redraw(Painter().Buttons(m_state));
}

// A held button lights while the pointer stays on it, and acts if it is
// let go there.
bool TWinampSkin::PressClutterBar(QPoint p)
{
    m_state.PressedClutterButton = ClutterButtonAt(p);
    Redraw(Painter().ClutterBar(m_state));
    return m_state.PressedClutterButton != 0;
}

void TWinampSkin::ReleaseClutterBar(QPoint p)
{
    const int button = m_state.PressedClutterButton;
    m_state.PressedClutterButton = 0;
    Redraw(Painter().ClutterBar(m_state));
    if (button != 0)
        emit OnClutterClick(this, button, OnScreen(p));
}

void TWinampSkin::ReleaseTitleButton(QPoint p)
{
    switch (m_state.PressedTitleButton) {
    case kMenuButton:
        if (m_popupMenu)
            m_popupMenu->popup(OnScreen(p));
        else
            emit OnMenuClick(this);
        break;
    case kMinimizeButton:
        window()->showMinimized();
        break;
    case kCloseButton:
        emit OnCloseClick(this);
        break;
    case kShadeButton:
        SetSticky(!m_state.Sticky);
        break;
    default:
        break;
    }
    m_state.PressedTitleButton = 0;
    SetActive(true);
}

} // namespace velmoro::skin
