#include "player/visdisplay.h"

#include <QBackingStore>
#include <QPainter>
#include <QWindow>

namespace velmoro::player {

using app::VisMode;

VisOutFrameArea::VisOutFrameArea(QWidget* parent)
    : HitArea(QStringLiteral("VisOutFrame"), QRect(visual::kVisOutFrame), parent)
{
}

void VisOutFrameArea::ShowFrame(const QImage& frame)
{
    // Most of what a repaint costs is outside this widget (the window's
    // backing store, the X server): a frame like the one shown costs nothing.
    if (frame == m_frame)
        return;
    // Copied into a picture of its own, so that the next frame drawn does
    // not have to allocate one.
    if (m_frame.size() != frame.size() || m_frame.format() != frame.format() ||
        !visual::SamePixelBytes(frame, m_frame))
        m_frame = frame.copy();
    else
        visual::CopyPixels(frame, frame.rect(), m_frame, QPoint(0, 0));
    // The frame covers the area: the skin beneath need not paint first.
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    if (!CopyToWindow())
        repaint();
}

// Up to a hundred frames a second: the frame's pixels go straight into the
// window's backing store and only its rectangle is sent to the screen,
// without a paint event. A window whose store is not a plain picture of the
// same pixels (a scaled or double-size window) is repainted instead.
bool VisOutFrameArea::CopyToWindow()
{
    QWidget* top = window();
    QBackingStore* store = top->backingStore();
    if (!store || !isVisible() || !top->windowHandle() || devicePixelRatio() != 1.0 ||
        m_frame.size() != size())
        return false;
    const QRect target(mapTo(top, QPoint(0, 0)), size());
    const QRegion region(target);
    store->beginPaint(region);
    auto* image = dynamic_cast<QImage*>(store->paintDevice());
    const bool fits = image && visual::SamePixelBytes(m_frame, *image) && image->rect().contains(target);
    if (fits)
        visual::CopyPixels(m_frame, m_frame.rect(), *image, target.topLeft());
    store->endPaint();
    if (fits)
        store->flush(region, top->windowHandle());
    return fits;
}

void VisOutFrameArea::ClearFrame()
{
    if (m_frame.isNull())
        return;
    m_frame = QImage();
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    update();
}

void VisOutFrameArea::paintEvent(QPaintEvent*)
{
    if (m_frame.isNull())
        return;
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(rect(), m_frame); // twice the size in a double-size window
}

VisDisplay::VisDisplay(const app::PlaybackState& playback, settings::Settings& settings,
                       audio::IAudioLibrary& audio, const app::VisSamples& samples, VisOutFrameArea& area)
    : m_playback(playback), m_settings(settings), m_audio(audio), m_area(area), m_visualizer(samples)
{
    // Read once and again on every change: the tick runs a hundred times a
    // second and the options seldom change.
    ReadOptions();
    connect(&m_settings, &settings::Settings::Changed, this, [this](const QString&) { ReadOptions(); });
}

void VisDisplay::ReadOptions()
{
    const settings::Settings& s = m_settings;
    visual::VisOptions o;
    o.mode = app::VisModeOfRadio(s.CheckedInGroup(QStringLiteral("Visualizzazione"))).value_or(VisMode::None);
    const QString oscilloscopeStyle = s.CheckedInGroup(QStringLiteral("Modalita"));
    o.oscilloscope.style = oscilloscopeStyle == u"OSCLineeCheck"    ? visual::OscilloscopeStyle::Lines
                           : oscilloscopeStyle == u"OSCSolidoCheck" ? visual::OscilloscopeStyle::Solid
                                                                    : visual::OscilloscopeStyle::Points;
    o.oscilloscope.framesPerBlock = s.Position(QStringLiteral("OSCTrackfps"));
    o.oscilloscope.sampleStep = s.Position(QStringLiteral("RisoluzioneOSCTrack"));
    const QString spectrumStyle = s.CheckedInGroup(QStringLiteral("DisegnoSpettro"));
    o.spectrum.style = spectrumStyle == u"BarSpttCheck"      ? visual::SpectrumStyle::Bars
                       : spectrumStyle == u"SpetLineeCheck"  ? visual::SpectrumStyle::Lines
                       : spectrumStyle == u"SpecSolidoCheck" ? visual::SpectrumStyle::Solid
                                                             : visual::SpectrumStyle::None;
    o.spectrum.peakFall = s.Position(QStringLiteral("SpecPicchiTrack"));
    o.spectrum.barFall = s.Position(QStringLiteral("TrackBarCadutaBarre"));
    o.spectrum.softFall = s.Checked(QStringLiteral("CadutaSoftCheck"));
    o.spectrum.showPeaks = s.Checked(QStringLiteral("VisPicchiCheck"));
    m_options = o;
}

void VisDisplay::LoadVisBackground(const skin::SkinSet& skin, bool skinDirectory)
{
    visual::VisColors colors{};
    for (std::size_t i = 0; i < colors.size(); ++i) {
        const skin::SkinColor c = skin.SkinColors[i]; // $00BBGGRR
        colors[i] = qRgb(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF));
    }
    m_visualizer.LoadVisBackground(skin.MainBitmap, colors,
                                   skinDirectory ? visual::VisColorSource::SkinColors
                                                 : visual::VisColorSource::White);
}

visual::HeardMoment VisDisplay::Now() const
{
    visual::HeardMoment now;
    now.stream = m_playback.CurrentStream;
    now.playing = m_playback.PlayStatus == app::PlayStatusValue::Playing && now.stream != 0;
    if (!now.playing)
        return now;
    now.position = m_audio.ChannelGetHeardPosition(now.stream) / 4;
    int volume = 0;
    int pan = 0;
    m_audio.ChannelGetAttributes(now.stream, &now.rate, &volume, &pan);
    return now;
}

VisPace VisDisplay::RunVis()
{
    const visual::HeardMoment now = Now();
    if (m_visualizer.Tick(now, m_options))
        m_area.ShowFrame(m_visualizer.ShownFrame());
    // The skin draws the meters where the frames show: they take the area
    // over once they move.
    if (m_options.mode == VisMode::VUMeter && now.playing)
        m_area.ClearFrame();
    if (!now.playing || (m_options.mode != VisMode::Oscilloscope && m_options.mode != VisMode::Spectrum))
        return {};
    if (m_options.mode == VisMode::Spectrum)
        return {true, 0};
    // The oscilloscope's frames fall due at known stream positions: the tick
    // sleeps until the next one, not a hundred times a second.
    const std::optional<std::int64_t> due = m_visualizer.NextFrameDue(now, m_options);
    if (!due || now.rate <= 0)
        return {true, 0}; // the next block is not decoded yet: look on every tick
    const std::int64_t frames = *due - now.position;
    return {true, std::max<std::int64_t>(1, (frames * 1000 + now.rate - 1) / now.rate)};
}

std::uint32_t VisDisplay::HeardLevel()
{
    return m_visualizer.HeardLevel(Now());
}

} // namespace velmoro::player
