// The display area's model on recorded samples: which frame shows at which
// moment heard, the spectrum and levels of the samples heard, the last frame
// kept.
#include "visual/visualizer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <span>
#include <vector>

using namespace velmoro;
using namespace velmoro::visual;

namespace {

constexpr audio::Handle kStream = 3;
constexpr QRgb kBackground = qRgb(0, 0, 40);

// A main.bmp whose display cell is plain kBackground.
QImage MainBitmap()
{
    QImage main(275, 116, QImage::Format_RGB32);
    main.fill(kBackground);
    return main;
}

VisColors Colors()
{
    VisColors colors{};
    for (std::size_t i = 0; i < colors.size(); ++i)
        colors[i] = qRgb(int(10 * i), 200, 100);
    return colors;
}

// Stereo samples: a ramp on the left, so every frame of a block differs.
std::vector<std::int16_t> Ramp(std::size_t frames)
{
    std::vector<std::int16_t> s;
    for (std::size_t i = 0; i < frames; ++i) {
        s.push_back(std::int16_t(int(i * 7 % 32000) - 16000));
        s.push_back(0);
    }
    return s;
}

// A sine of `amplitude` (full scale 1) starting at frame `from` of `frames`.
std::vector<std::int16_t> Tone(std::size_t frames, std::size_t from, double hertz, double amplitude)
{
    std::vector<std::int16_t> s(frames * 2, 0);
    for (std::size_t i = from; i < frames; ++i) {
        const auto v = std::int16_t(
            std::lround(32767 * amplitude * std::sin(2 * std::numbers::pi * hertz * double(i) / 44100)));
        s[i * 2] = s[i * 2 + 1] = v;
    }
    return s;
}

struct Fixture {
    app::VisSamples samples;
    Visualizer visualizer{samples};
    Fixture() { visualizer.LoadVisBackground(MainBitmap(), Colors(), VisColorSource::SkinColors); }
    bool Tick(std::int64_t heard, const VisOptions& options = {}, bool playing = true)
    {
        return visualizer.Tick({kStream, heard, 44100, playing}, options);
    }
};

int HighestRowDrawn(const QImage& frame, int x)
{
    for (int y = 0; y < frame.height(); ++y)
        if (frame.pixel(x, y) != kBackground)
            return y;
    return frame.height();
}

// The frame of samples [end − 393, end) of a block, 99 points every 4th pair.
QImage FrameEndingAt(const std::vector<std::int16_t>& block, std::size_t end)
{
    const std::span<const std::int16_t> samples(block.data() + (end - 393) * 2, 393 * 2);
    QImage bitmap = NewVisBitmap();
    QImage background(kVisBackgroundCell.size(), QImage::Format_RGB32);
    background.fill(kBackground);
    QImage frame;
    OscilloscopeOptions one;
    one.framesPerBlock = 1;
    DrawOscilloscopeBlock(samples, background, Colors()[2], one, bitmap,
                          [&] { frame = bitmap.copy(QRect(QPoint(0, 0), kVisOutFrame.size())); });
    return frame;
}

} // namespace

// A 4096-frame block holds ten frames of 99 points every 4th pair; the five
// OSCTrackfps lets show are spread over it, frame k ending at (k + 1)/5 of
// the block, and each shows once its last sample is heard. A late tick drops
// the frames it passed.
TEST(Visualizer, OscilloscopeFramesShowWhenTheirSamplesAreHeard)
{
    Fixture f;
    const std::vector<std::int16_t> block = Ramp(4096);
    f.samples.Push(kStream, 1000, block.data(), 4096);
    struct Step {
        std::int64_t heard;
        std::optional<std::size_t> shows; // the end of the frame shown, in the block
    };
    const std::vector<Step> steps{
        {1000, {}},          {1000 + 818, {}},    {1000 + 819, 819},   {1000 + 1000, {}},
        {1000 + 3000, 2457}, {1000 + 4095, 3276}, {1000 + 4096, 4096}, {9000, {}},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.heard);
        ASSERT_EQ(f.Tick(s.heard), s.shows.has_value());
        if (s.shows) {
            EXPECT_EQ(f.visualizer.ShownFrame(), FrameEndingAt(block, *s.shows));
        }
    }
    EXPECT_EQ(f.visualizer.ShownFrame(), FrameEndingAt(block, 4096)); // the last frame stays
    VisOptions three;
    three.oscilloscope.framesPerBlock = 3;
    Fixture limited;
    limited.samples.Push(kStream, 0, block.data(), 2048);
    limited.samples.Push(kStream, 2048, block.data(), 300); // too short for a frame
    ASSERT_TRUE(limited.Tick(3348, three));
    EXPECT_EQ(limited.visualizer.ShownFrame(), FrameEndingAt(block, 2048));
}

// The next frame falls due when its last sample is heard: later in the same
// block while the per-block limit allows, else in the block after; none when
// no frame held is still to come, while paused, or in another mode.
TEST(Visualizer, SaysWhenTheNextOscilloscopeFrameIsDue)
{
    const std::vector<std::int16_t> block = Ramp(4096);
    VisOptions two;
    two.oscilloscope.framesPerBlock = 2;
    VisOptions spectrum;
    spectrum.mode = app::VisMode::Spectrum;
    struct Case {
        std::int64_t heard;
        VisOptions options;
        bool playing;
        std::optional<std::int64_t> due;
    };
    const std::vector<Case> cases{
        {1000, {}, true, 1000 + 819},          {1000 + 819, {}, true, 1000 + 1638},
        {1000 + 4000, {}, true, 5096},         {5096, {}, true, 5096 + 819},
        {1000 + 1000, two, true, 1000 + 2048}, {5096 + 4096, {}, true, std::nullopt},
        {1000, {}, false, std::nullopt},       {1000, spectrum, true, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.heard);
        Fixture f;
        f.samples.Push(kStream, 1000, block.data(), 4096);
        f.samples.Push(kStream, 5096, block.data(), 4096);
        f.Tick(c.heard, c.options, c.playing);
        EXPECT_EQ(f.visualizer.NextFrameDue({kStream, c.heard, 44100, c.playing}, c.options), c.due);
    }
}

// Paused or stopped, nothing new shows and the last frame stays; the levels
// fall to nothing.
TEST(Visualizer, KeepsTheLastFrameWhileNothingPlays)
{
    Fixture f;
    const std::vector<std::int16_t> block = Ramp(2048);
    f.samples.Push(kStream, 0, block.data(), 2048);
    ASSERT_TRUE(f.Tick(500));
    const QImage shown = f.visualizer.ShownFrame();
    VisOptions vuMeter;
    vuMeter.mode = app::VisMode::VUMeter;
    EXPECT_FALSE(f.Tick(2000, {}, false));
    EXPECT_FALSE(f.Tick(2000, vuMeter));
    EXPECT_EQ(f.visualizer.ShownFrame(), shown);
    EXPECT_EQ(f.visualizer.HeardLevel({kStream, 2000, 44100, false}), 0u);
}

// The levels and the spectrum are those of the samples heard: a tone that
// starts at frame 3000 moves neither before the output plays it.
TEST(Visualizer, LevelsAndSpectrumFollowTheSamplesHeard)
{
    Fixture f;
    const double hertz = 40 * 44100.0 / 1024; // spectrum value 40: "Linee" column x = 39
    const std::vector<std::int16_t> tone = Tone(8192, 3000, hertz, 0.5);
    f.samples.Push(kStream, 0, tone.data(), 8192);
    EXPECT_EQ(f.visualizer.HeardLevel({kStream, 3000, 44100, true}), 0u);
    EXPECT_NE(f.visualizer.HeardLevel({kStream, 3001, 44100, true}), 0u);
    EXPECT_EQ(f.visualizer.HeardLevel({kStream, 4000, 44100, true}), 64u | 64u << 16); // half scale

    VisOptions spectrum;
    spectrum.mode = app::VisMode::Spectrum;
    spectrum.spectrum.softFall = false;
    spectrum.spectrum.showPeaks = false;
    ASSERT_TRUE(f.Tick(3000, spectrum));
    for (int x = 5; x < kVisOutFrame.width(); ++x) // silence: height 1, below the rows shown
        EXPECT_EQ(HighestRowDrawn(f.visualizer.ShownFrame(), x), kVisHeight) << x;
    ASSERT_TRUE(f.Tick(3000 + 1024, spectrum));
    const QImage& frame = f.visualizer.ShownFrame();
    for (int x = 5; x < kVisOutFrame.width(); ++x)
        if (std::abs(x - 39) > 1) {
            EXPECT_GT(HighestRowDrawn(frame, x), HighestRowDrawn(frame, 39)) << x;
        }
    EXPECT_EQ(HighestRowDrawn(frame, 39), 1); // full height: a line leaves its end out
}
