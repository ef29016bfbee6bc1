#pragma once
// The display area's model: the background and colours of the skin, the
// off-screen VisBitmap, and the frame shown. On every refresh tick it draws
// what the output plays at that moment — the oscilloscope frame whose samples
// have just been heard, the spectrum of the last 1024 samples heard — and the
// level meters measure the same samples. No widget: the window shows
// ShownFrame() whenever Tick() says it changed.
#include "app/vismode.h"
#include "app/vissamples.h"
#include "audio/spectrum.h"
#include "visual/visdraw.h"

#include <QImage>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace velmoro::visual {

// What the output plays now.
struct HeardMoment {
    audio::Handle stream = 0;
    std::int64_t position = 0; // stream frame being heard
    int rate = 0;              // the stream's sample rate, Hz
    bool playing = false;
};

struct VisOptions {
    app::VisMode mode = app::VisMode::Oscilloscope;
    OscilloscopeOptions oscilloscope;
    SpectrumOptions spectrum;
};

// Where LoadVisBackground takes its colour from.
enum class VisColorSource {
    SkinColors, // a skin directory: its viscolor.txt colour 2
    White,      // the built-in skin
};

class Visualizer {
public:
    explicit Visualizer(const app::VisSamples& samples);

    // LoadVisBackground: the part of main.bmp behind the display area (the
    // built-in skin's without a skin directory) and the colours.
    void LoadVisBackground(const QImage& mainBitmap, const VisColors& colors, VisColorSource source);

    // One refresh tick. True when a new frame was copied for the display.
    bool Tick(const HeardMoment& now, const VisOptions& options);

    // After Tick(): the stream position at which the next oscilloscope frame
    // falls due, none when no frame held is still to come (or another mode
    // shows). The window need not look before then.
    std::optional<std::int64_t> NextFrameDue(const HeardMoment& now, const VisOptions& options) const;

    // The level of the last ~20 ms heard, in ChannelGetLevel's form (0–128
    // per channel, left in the low 16 bits); 0 when nothing plays.
    std::uint32_t HeardLevel(const HeardMoment& now);

    // The last frame copied (the 80 × 19 part of VisBitmap), null before the first.
    const QImage& ShownFrame() const { return m_shown; }
    const QImage& VisBitmap() const { return m_bitmap; }
    QRgb VisColor() const { return m_visColor; }

private:
    // Which frame of which block: frames are counted within their block, as
    // the per-block limit counts them.
    struct FrameRef {
        std::int64_t blockPosition = -1;
        int index = -1;
        audio::Handle stream = 0;
        bool operator==(const FrameRef&) const = default;
    };
    // A frame's samples, from its first point to its 99th, and the distance
    // from one frame's first point to the next one's.
    struct FrameSpacing {
        std::int64_t span = 0;
        std::int64_t stride = 0;
    };
    static FrameSpacing SpacingOf(const OscilloscopeOptions& options);
    // How many frames of the block show: the whole ones it holds, within
    // the per-block limit.
    static std::int64_t FramesOf(const app::VisSamples::Block& block, const OscilloscopeOptions& options);
    // The stream position just after the last sample of frame `index` of the
    // `count` the block shows.
    static std::int64_t FrameEnd(const app::VisSamples::Block& block, std::int64_t index, std::int64_t count);
    bool TickOscilloscope(const HeardMoment& now, const OscilloscopeOptions& options);
    bool TickSpectrum(const HeardMoment& now, const SpectrumOptions& options);
    void CopyFrame();

    const app::VisSamples& m_samples;
    QImage m_background;
    VisColors m_colors{};
    QRgb m_visColor = 0xFFFFFFFF;
    QImage m_bitmap;
    QImage m_shown;
    FrameRef m_lastFrame;
    std::vector<app::VisSamples::Block> m_blocks;
    std::vector<std::int16_t> m_frameSamples;
    audio::Spectrum m_spectrum;
    std::array<float, audio::kFftBins> m_fft{}; // FftData: kept while nothing plays
    SpectrumLevels m_levels;
};

} // namespace velmoro::visual
