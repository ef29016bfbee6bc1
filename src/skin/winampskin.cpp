#include "skin/winampskin.h"

#include "skin/mainwindowtable.h"
#include "skin/screencursors.h"
#include "skin/skingeometry.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace velmoro::skin {

namespace {
constexpr int kScrollIntervalMs = 200;
constexpr int kScrollStep = 5; // one character
} // namespace

TWinampSkin::TWinampSkin(QWidget* parent)
    : QWidget(parent), m_canvas(NewCanvas()), m_titleBuffer(NewTitleBuffer()), m_scrollTimer(this),
      m_gesture(GestureRows())
{
    ApplicationActive = [] { return QGuiApplication::applicationState() == Qt::ApplicationActive; };
    FitSize();
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    m_state.Title = QStringLiteral("*** VELMORO *** IL LETTORE MP3 CON DISSOLVENZA INCROCIATA ***");

    m_scrollTimer.setObjectName(QStringLiteral("TitleScrollTimer"));
    m_scrollTimer.setInterval(kScrollIntervalMs);
    connect(&m_scrollTimer, &QTimer::timeout, this, &TWinampSkin::TitleScrollTimerTimer);
    m_scrollTimer.start();

    // The title bar follows whether the application is the active one.
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this] { Repaint(); });

    LoadDefaultSkin();
}

void TWinampSkin::InstallCursors()
{
    ScreenCursors& table = ScreenCursors::Instance();
    for (int slot = kFirstCursorSlot; slot <= kLastCursorSlot; ++slot)
        if (m_skin.Cursors[slot])
            table.Install(slot, *m_skin.Cursors[slot]);
    setCursor(table.Cursor(kNormalCursor));
}

int TWinampSkin::LoadDefaultSkin()
{
    skin::LoadDefaultSkin(m_skin);
    InstallCursors();
    Repaint();
    return 0;
}

int TWinampSkin::LoadSkin(const QString& directory)
{
    const int result = skin::LoadSkin(m_skin, directory);
    InstallCursors();
    if (result != 0)
        return -1; // the partial state stays, unpainted
    Repaint();
    emit OnSkinChanged(this);
    return 0;
}

void TWinampSkin::Repaint()
{
    m_state.Active = ApplicationActive();
    Redraw(Painter().FullPaint(m_state));
}

void TWinampSkin::TitleScrollTimerTimer()
{
    m_state.ScrollOffset += kScrollStep;
    // A title that stands still looks the same at any offset: no repaint.
    if (!TitleScrolls(m_state)) {
        if (std::abs(m_state.ScrollOffset) >= m_state.TitleWidth)
            m_state.ScrollOffset = 0;
        return;
    }
    Redraw(Painter().Title(m_state));
}

void TWinampSkin::SetTitle(const QString& title)
{
    const int previousWidth = m_state.TitleWidth;
    m_state.Title = title;
    m_state.ScrollOffset = 0;
    Redraw(Painter().Title(m_state));
    if (previousWidth > 30)
        m_scrollTimer.start();
}

// The setters the refresh tick calls every 10 ms leave an unchanged value
// alone, so an idle or steady window repaints nothing.
void TWinampSkin::SetProgress(const QString& progress)
{
    if (progress == m_state.Progress)
        return;
    m_state.Progress = progress;
    Redraw(Painter().Time(m_state));
}

void TWinampSkin::SetVolume(int volume)
{
    m_state.Volume = std::clamp(volume, 0, 100);
    Redraw(Painter().VolumeSlider(m_state));
}

void TWinampSkin::SetBalance(int balance)
{
    m_state.Balance = balance;
    Redraw(Painter().BalanceSlider(m_state));
}

void TWinampSkin::SetPositionBar(int position)
{
    if (std::min(position, 256) == m_state.PositionBar)
        return;
    m_state.PositionBar = std::min(position, 256);
    Redraw(Painter().PositionBar(m_state));
}

void TWinampSkin::SetStatus(TStatus status)
{
    if (status == m_state.Status)
        return;
    m_state.Status = status;
    Redraw(Painter().PlayState(m_state));
}

void TWinampSkin::SetReady(bool ready)
{
    m_state.Ready = ready;
    Redraw(Painter().PlayState(m_state));
}

void TWinampSkin::SetBitrate(int bitrate)
{
    m_state.Bitrate = std::min(bitrate, 999);
    Redraw(Painter().Bitrate(m_state));
}

void TWinampSkin::SetFrequency(int frequency)
{
    m_state.Frequency = std::min(frequency, 99000);
    Redraw(Painter().Frequency(m_state));
}

void TWinampSkin::SetStereoMode(TStereoMode mode)
{
    m_state.StereoMode = mode;
    Redraw(Painter().StereoIndicators(m_state));
}

void TWinampSkin::SetLeftMeter(int value)
{
    if (std::clamp(value, 0, 50) == m_state.LeftMeter)
        return;
    m_state.LeftMeter = std::clamp(value, 0, 50);
    Redraw(Painter().Meter(m_state.LeftMeter, 46));
}

void TWinampSkin::SetRightMeter(int value)
{
    if (std::clamp(value, 0, 50) == m_state.RightMeter)
        return;
    m_state.RightMeter = std::clamp(value, 0, 50);
    Redraw(Painter().Meter(m_state.RightMeter, 53));
}

void TWinampSkin::SetChecked(TSkinChecked checked)
{
    m_state.Checked = checked;
    ShuffleOn = checked.testFlag(ckShuffle);
    RepeatOn = checked.testFlag(ckRepeat);
    Redraw(Painter().Toggles(m_state));
}

void TWinampSkin::SetSticky(bool sticky)
{
    m_state.Sticky = sticky;
    FitSize();
    Repaint();
    emit OnSticky(this, sticky);
}

void TWinampSkin::SetClutterModes(TClutterModes modes)
{
    m_state.ClutterModes = modes;
    Redraw(Painter().ClutterBar(m_state));
}

void TWinampSkin::SetActive(bool active)
{
    m_state.Active = active;
    Repaint();
}

void TWinampSkin::SetScale(int scale)
{
    m_scale = std::clamp(scale, 1, 2);
    FitSize();
    update();
}

void TWinampSkin::FitSize()
{
    const int height = m_state.Sticky ? kMainWindow.shadeHeight : kMainWindow.size.height();
    setFixedSize(kMainWindow.size.width() * m_scale, height * m_scale);
}

QPoint TWinampSkin::Unscaled(QPoint p) const
{
    // Rounded down, also left of and above the widget while a drag goes there.
    const auto down = [this](int v) { return v >= 0 ? v / m_scale : -((-v + m_scale - 1) / m_scale); };
    return {down(p.x()), down(p.y())};
}

void TWinampSkin::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    if (m_scale == 1) {
        painter.drawImage(event->rect(), m_canvas, event->rect());
        return;
    }
    // Without smooth transformation each pixel becomes a square of the scale.
    painter.drawImage(QRect(QPoint(0, 0), m_canvas.size() * m_scale), m_canvas);
}

} // namespace velmoro::skin
