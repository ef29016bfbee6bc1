#include "visual/visualizer.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace velmoro::visual {

Visualizer::Visualizer(const app::VisSamples& samples) : m_samples(samples), m_bitmap(NewVisBitmap())
{
    m_background = QImage(kVisBackgroundCell.size(), QImage::Format_RGB32);
    m_background.fill(Qt::black);
}

void Visualizer::LoadVisBackground(const QImage& mainBitmap, const VisColors& colors, VisColorSource source)
{
    m_background = QImage(kVisBackgroundCell.size(), QImage::Format_RGB32);
    m_background.fill(Qt::black);
    QPainter painter(&m_background);
    painter.drawImage(QPoint(0, 0), mainBitmap, kVisBackgroundCell);
    painter.end();
    m_colors = colors;
    m_visColor = source == VisColorSource::SkinColors ? colors[2] : qRgb(255, 255, 255);
}

bool Visualizer::Tick(const HeardMoment& now, const VisOptions& options)
{
    switch (options.mode) {
    case app::VisMode::Oscilloscope:
        return TickOscilloscope(now, options.oscilloscope);
    case app::VisMode::Spectrum:
        return TickSpectrum(now, options.spectrum);
    case app::VisMode::VUMeter: // the skin draws the meters
    case app::VisMode::Plugin:
    case app::VisMode::None:
        break;
    }
    return false;
}

Visualizer::FrameSpacing Visualizer::SpacingOf(const OscilloscopeOptions& options)
{
    const std::int64_t step = std::max(1, options.sampleStep);
    return {98 * step + 1, 99 * step};
}

std::int64_t Visualizer::FramesOf(const app::VisSamples::Block& block, const OscilloscopeOptions& options)
{
    const FrameSpacing s = SpacingOf(options);
    const std::int64_t frames = std::int64_t(block.frames);
    const std::int64_t fit = frames < s.span ? 0 : (frames - s.span) / s.stride + 1;
    return std::clamp<std::int64_t>(fit, 0, std::max(0, options.framesPerBlock));
}

std::int64_t Visualizer::FrameEnd(const app::VisSamples::Block& block, std::int64_t index, std::int64_t count)
{
    return block.position + (index + 1) * std::int64_t(block.frames) / count;
}

// A block holds more frames than the limit lets show: the ones shown are
// spread evenly over it, each ending where its share of the block ends, so
// they come at a steady rate and a sound anywhere in the block shows within
// a share's length of being heard. Each shows once its last sample has been
// heard, the newest of those due wins, and the ones a late tick passed over
// are dropped.
bool Visualizer::TickOscilloscope(const HeardMoment& now, const OscilloscopeOptions& options)
{
    m_blocks.clear();
    if (!now.playing)
        return false; // the last frame stays
    const FrameSpacing s = SpacingOf(options);
    m_samples.Blocks(now.stream, m_blocks);
    for (auto block = m_blocks.rbegin(); block != m_blocks.rend(); ++block) {
        const std::int64_t count = FramesOf(*block, options);
        std::int64_t index = count - 1;
        while (index >= 0 && FrameEnd(*block, index, count) > now.position)
            --index;
        if (index < 0)
            continue;
        const FrameRef frame{block->position, int(index), now.stream};
        if (frame == m_lastFrame)
            return false;
        m_frameSamples.resize(std::size_t(s.span) * 2);
        m_samples.Read(now.stream, FrameEnd(*block, index, count) - s.span, std::size_t(s.span),
                       m_frameSamples.data());
        OscilloscopeOptions one = options;
        one.framesPerBlock = 1;
        DrawOscilloscopeBlock(m_frameSamples, m_background, m_visColor, one, m_bitmap,
                              [this] { CopyFrame(); });
        m_lastFrame = frame;
        return true;
    }
    return false;
}

std::optional<std::int64_t> Visualizer::NextFrameDue(const HeardMoment& now, const VisOptions& options) const
{
    if (options.mode != app::VisMode::Oscilloscope || !now.playing)
        return std::nullopt;
    for (const app::VisSamples::Block& block : m_blocks) { // oldest first: the first found is the soonest
        const std::int64_t count = FramesOf(block, options.oscilloscope);
        for (std::int64_t index = 0; index < count; ++index)
            if (const std::int64_t end = FrameEnd(block, index, count); end > now.position)
                return end;
    }
    return std::nullopt;
}

bool Visualizer::TickSpectrum(const HeardMoment& now, const SpectrumOptions& options)
{
    // FftData keeps its values while nothing plays, as the library's buffer
    // does: the frame then stays as it was.
    if (now.playing) {
        constexpr std::size_t kWindow = audio::kFftSize;
        m_frameSamples.resize(kWindow * 2);
        m_samples.Read(now.stream, now.position - std::int64_t(kWindow), kWindow, m_frameSamples.data());
        std::array<float, kWindow> mono{};
        for (std::size_t i = 0; i < kWindow; ++i)
            mono[i] = (float(m_frameSamples[i * 2]) + float(m_frameSamples[i * 2 + 1])) / 65536.0f;
        m_spectrum.Compute(mono.data(), m_fft);
    }
    if (!DrawSpectrum(m_fft, options, m_colors, m_background, m_levels, m_bitmap))
        return false;
    CopyFrame();
    return true;
}

std::uint32_t Visualizer::HeardLevel(const HeardMoment& now)
{
    if (!now.playing || now.rate <= 0)
        return 0;
    const std::size_t span = std::size_t(now.rate / 50); // 20 ms
    std::vector<std::int16_t>& heard = m_frameSamples;
    heard.resize(span * 2);
    m_samples.Read(now.stream, now.position - std::int64_t(span), span, heard.data());
    int left = 0;
    int right = 0;
    for (std::size_t i = 0; i < span; ++i) {
        left = std::max(left, std::abs(int(heard[i * 2])));
        right = std::max(right, std::abs(int(heard[i * 2 + 1])));
    }
    const auto scale = [](int peak) {
        return std::uint32_t(std::lround(std::min(peak, 32768) * 128.0 / 32768.0));
    };
    return scale(left) | scale(right) << 16;
}

// The frame copy: what the display area shows from now on. Into the same
// picture every time: the window copies it rather than share it.
void Visualizer::CopyFrame()
{
    const QRect area(QPoint(0, 0), kVisOutFrame.size());
    if (m_shown.size() != area.size() || m_shown.format() != m_bitmap.format())
        m_shown = QImage(area.size(), m_bitmap.format());
    CopyPixels(m_bitmap, area, m_shown, QPoint(0, 0));
}

} // namespace velmoro::visual
