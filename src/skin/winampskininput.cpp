// Mouse gestures of TWinampSkin: a gesture runs press, moves, release, and
// the drag mode chosen at the press holds until the release.
#include "skin/winampskin.h"

#include "skin/screencursors.h"
#include "skin/skingeometry.h"

#include <QMenu>
#include <QMouseEvent>

#include <algorithm>
#include <cstdlib>

namespace velmoro::skin {

namespace {

enum DragModes { kNone, kButton, kVolume, kBalance, kTitleButton, kPosition, kTitleText };

enum Slots {
    kNormalSlot = 5,
    kSongNameSlot = 6,
    kMinimizeSlot = 8,
    kMinSlot = 12,
    kWindowButtonSlot = 19,
    kCloseSlot = 22,
    kVolBalSlot = 24,
    kPosBarSlot = 26,
    kMainMenuSlot = 27,
};

// The cursor for a point while no button is held.
int HoverCursor(QPoint p)
{
    if (Inside(p, 264, 275, 3, 12))
        return kCloseSlot;
    if (Inside(p, 110, 265, 25, 35))
        return kSongNameSlot;
    if (Inside(p, 244, 253, 3, 12))
        return kMinSlot;
    if (Inside(p, 17, 264, 73, 81))
        return kPosBarSlot;
    return kNormalSlot;
}

// Areas whose cursor wins in every move, held button or not.
int AreaCursor(QPoint p, int current)
{
    if (Inside(p, 107, 214, 56, 71))
        current = kVolBalSlot;
    if (Inside(p, 0, 15, 0, 12))
        current = kMainMenuSlot;
    if (Inside(p, 251, 263, 0, 12))
        current = kWindowButtonSlot;
    if (Inside(p, 232, 250, 0, 12))
        current = kMinimizeSlot;
    return current;
}

} // namespace

void TWinampSkin::mousePressEvent(QMouseEvent* event)
{
    Press(event->position().toPoint());
}

void TWinampSkin::mouseMoveEvent(QMouseEvent* event)
{
    Move(event->position().toPoint());
}

void TWinampSkin::mouseReleaseEvent(QMouseEvent* event)
{
    Release(event->position().toPoint());
}

void TWinampSkin::PressButtons(QPoint p)
{
    m_state.PressedButton = ButtonAt(p);
    if (m_state.PressedButton != 0)
        m_dragMode = kButton;
    Redraw(Painter().Buttons(m_state));
    Redraw(Painter().Toggles(m_state));
}

void TWinampSkin::PressTitleButtons(QPoint p)
{
    m_state.PressedTitleButton = TitleButtonAt(p);
    if (m_state.PressedTitleButton != 0) {
        m_dragMode = kTitleButton;
        Redraw(Painter().TitleButtons(m_state));
    }
}

void TWinampSkin::PressShaded(QPoint p)
{
    using Event = void (TWinampSkin::*)(TWinampSkin*);
    struct Area {
        int left, right;
        Event event;
    };
    static constexpr Area kAreas[] = {
        {168, 176, &TWinampSkin::OnBackClick},    {176, 186, &TWinampSkin::OnPlayClick},
        {186, 196, &TWinampSkin::OnPauseClick},   {196, 205, &TWinampSkin::OnStopClick},
        {205, 213, &TWinampSkin::OnForwardClick},
    };
    for (const Area& area : kAreas)
        if (Inside(p, area.left, area.right, 3, 12))
            emit(this->*area.event)(this);
    if (Inside(p, 215, 224, 4, 12))
        emit OnEjectClick(this);
}

void TWinampSkin::Press(QPoint p)
{
    m_dragStartX = p.x();
    m_dragMode = kNone;
    if (m_state.Sticky) {
        PressShaded(p);
    } else {
        PressButtons(p);
        if (Inside(p, 107, 177, 57, 72)) {
            m_state.VolumeDragging = true;
            m_dragMode = kVolume;
            if (!OnVolumeThumb(p, m_state.Volume))
                m_state.Volume = VolumeAt(p.x());
            m_dragStartVolume = m_state.Volume;
            Redraw(Painter().VolumeSlider(m_state));
        }
        if (Inside(p, 177, 217, 57, 72)) {
            m_state.BalanceDragging = true;
            m_dragMode = kBalance;
            if (!OnBalanceThumb(p, m_state.Balance))
                m_state.Balance = BalanceAt(p.x());
            m_dragStartBalance = m_state.Balance;
            Redraw(Painter().BalanceSlider(m_state));
        }
        if (Inside(p, 18, 278, 74, 84) && m_state.Status != ssPlay && m_state.Status != ssPause) {
            m_state.PositionDragging = true;
            m_dragMode = kPosition;
            m_dragStartPosition = p.x() - 18;
            if (!OnPositionThumb(p, m_state.PositionBar))
                m_state.PositionBar = std::min(RoundDiv((p.x() - 18) * 255LL, 208) - 15, 256);
            Redraw(Painter().PositionBar(m_state));
        }
        if (Inside(p, 109, 255, 24, 36)) {
            m_dragMode = kTitleText;
            m_scrollTimer.stop();
            m_dragStartOffset = m_state.ScrollOffset;
        }
    }
    PressTitleButtons(p);
    m_mouseIsDown = true;
}

void TWinampSkin::ShowMessage(const QString& text)
{
    m_state.MessageText = text;
    Redraw(Painter().Title(m_state));
}

void TWinampSkin::Move(QPoint p)
{
    ScreenCursors& cursors = ScreenCursors::Instance();
    int cursor = -1;
    const int x = p.x();
    if (m_mouseIsDown) {
        switch (m_dragMode) {
        case kButton:
            PressButtons(p);
            break;
        case kVolume:
            if (x <= 104)
                m_state.Volume = 0;
            else if (x >= 172)
                m_state.Volume = 100;
            else if (x != m_dragStartX)
                m_state.Volume =
                    std::clamp(RoundDiv(m_dragStartVolume * 54LL + (x - m_dragStartX) * 100LL, 54), 0, 100);
            Redraw(Painter().VolumeSlider(m_state));
            emit OnVolumeChange(this, m_state.Volume);
            ShowMessage(QStringLiteral("VOLUME: %1%").arg(m_state.Volume));
            cursor = kVolBalSlot;
            break;
        case kBalance: {
            cursor = kVolBalSlot;
            int& balance = m_state.Balance;
            if (x <= 176)
                balance = 0;
            else if (x >= 216)
                balance = 100;
            else if (x != m_dragStartX) // a drag can overshoot the ends: keep it a balance
                balance =
                    std::clamp(RoundDiv(m_dragStartBalance * 28LL + (x - m_dragStartX) * 100LL, 28), 0, 100);
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
            break;
        }
        case kTitleButton:
            m_state.PressedTitleButton = TitleButtonAt(p);
            Redraw(Painter().TitleButtons(m_state));
            break;
        case kPosition:
            m_state.PositionBar =
                x > 17 ? std::min(RoundDiv((x - m_dragStartX) * 255LL, 215) + m_dragStartPosition, 256) : 1;
            Redraw(Painter().PositionBar(m_state));
            break;
        case kTitleText:
            m_state.ScrollOffset = m_dragStartOffset - (x - m_dragStartX);
            Redraw(Painter().Title(m_state));
            cursor = kSongNameSlot;
            break;
        default:
            break;
        }
    } else {
        cursor = HoverCursor(p);
    }
    cursor = AreaCursor(p, cursor);
    if (cursor >= 0)
        cursors.SetScreenCursor(cursor);
}

void TWinampSkin::ReleaseButton()
{
    switch (m_state.PressedButton) {
    case 1:
        emit OnBackClick(this);
        break;
    case 2:
        emit OnPlayClick(this);
        break;
    case 3:
        emit OnPauseClick(this);
        break;
    case 4:
        emit OnStopClick(this);
        break;
    case 5:
        emit OnForwardClick(this);
        break;
    case 6:
        emit OnEjectClick(this);
        break;
    case 7:
        m_state.Checked ^= ckShuffle;
        ShuffleOn = !ShuffleOn;
        break;
    case 8:
        m_state.Checked ^= ckRepeat;
        RepeatOn = !RepeatOn;
        break;
    case 9:
        m_state.Checked ^= ckEqualizer;
        emit OnEqualizerClick(this, m_state.Checked.testFlag(ckEqualizer));
        break;
    case 10:
        m_state.Checked ^= ckPlaylist;
        emit OnPlaylistClick(this, m_state.Checked.testFlag(ckPlaylist));
        break;
    default:
        break;
    }
    m_state.PressedButton = 0;
    Redraw(Painter().Toggles(m_state));
    Redraw(Painter().Buttons(m_state));
}

void TWinampSkin::ReleaseTitleButton(QPoint p)
{
    switch (m_state.PressedTitleButton) {
    case 1:
        if (m_popupMenu)
            m_popupMenu->popup(mapToGlobal(p));
        else
            emit OnMenuClick(this);
        break;
    case 2:
        window()->showMinimized();
        break;
    case 3:
        emit OnCloseClick(this);
        break;
    case 4:
        SetSticky(!m_state.Sticky);
        break;
    default:
        break;
    }
    m_state.PressedTitleButton = 0;
    SetActive(true);
}

void TWinampSkin::Release(QPoint p)
{
    m_mouseIsDown = false;
    switch (m_dragMode) {
    case kButton:
        ReleaseButton();
        break;
    case kVolume:
        m_state.VolumeDragging = false;
        Redraw(Painter().VolumeSlider(m_state));
        ShowMessage(QString());
        break;
    case kBalance:
        m_state.BalanceDragging = false;
        Redraw(Painter().BalanceSlider(m_state));
        ShowMessage(QString());
        break;
    case kTitleButton:
        ReleaseTitleButton(p);
        break;
    case kPosition:
        m_state.PositionDragging = false;
        Redraw(Painter().PositionBar(m_state));
        break;
    case kTitleText:
        m_scrollTimer.start();
        break;
    default:
        break;
    }
    m_dragMode = kNone;
    ScreenCursors::Instance().SetScreenCursor(kNormalSlot);
}

} // namespace velmoro::skin
