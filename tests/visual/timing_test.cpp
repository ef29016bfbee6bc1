// The visualizations in step with the sound, on the manual-clock output: the
// test renders the output in 10 ms steps, lets the device hold 100 ms as a
// sound server does, and ticks the display area after each step. A tone that
// starts at a known place of the stream (anywhere in a decoded block) must
// show in the oscilloscope's frames and in the levels within 30 ms of the
// output playing it, and never before.
#include "audio/audiotest.h"
#include "visual/visualizer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>

using namespace velmoro;

namespace {

constexpr std::size_t kTickFrames = 441; // 10 ms
constexpr std::uint64_t kDeviceHolds = 4410;
constexpr std::int64_t kWithin = 1323; // 30 ms

// Silences the stream before the frame *user, so the tone starts there.
void Gate(audio::Handle, audio::Handle, void* buffer, std::uint32_t length, std::uint32_t position,
          void* user)
{
    const std::int64_t toneStart = *static_cast<const std::int64_t*>(user);
    auto* samples = static_cast<std::int16_t*>(buffer);
    const std::int64_t first = position / 4;
    for (std::int64_t f = 0; f < std::int64_t(length / 4) && first + f < toneStart; ++f)
        samples[f * 2] = samples[f * 2 + 1] = 0;
}

void Record(audio::Handle, audio::Handle stream, void* buffer, std::uint32_t length, std::uint32_t position,
            void* user)
{
    static_cast<app::VisSamples*>(user)->Push(stream, position / 4, static_cast<const std::int16_t*>(buffer),
                                              length / 4);
}

bool TraceLeavesTheMiddle(const QImage& frame, QRgb background)
{
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            if (y != 11 && frame.pixel(x, y) != background)
                return true;
    return false;
}

struct TickSeen {
    std::uint64_t outputHeard; // output frames played when the tick ran
    bool traceShows;
    bool levelShows;
};

void ExpectToneShowsInTime(std::int64_t toneStart)
{
    test::ManualLibrary manual;
    ASSERT_TRUE(manual.initialized);
    audio::AudioLibrary& lib = *manual.lib;
    const audio::Handle stream =
        lib.StreamCreateFile(test::AudioFixture("sine1k-v1-44100-cbr256.mp3"), audio::kStreamExactSeek);
    ASSERT_NE(stream, 0u);
    app::VisSamples samples;
    ASSERT_NE(lib.ChannelSetPositionedDSP(stream, &Gate, &toneStart), 0u);
    ASSERT_NE(lib.ChannelSetPositionedDSP(stream, &Record, &samples), 0u);
    visual::Visualizer visualizer(samples);
    QImage main(275, 116, QImage::Format_RGB32);
    const QRgb background = qRgb(0, 0, 0);
    main.fill(background);
    visual::VisColors colors{};
    colors.fill(qRgb(0, 255, 0));
    visualizer.LoadVisBackground(main, colors, visual::VisColorSource::SkinColors);
    ASSERT_TRUE(lib.StreamPlay(stream, false, 0));

    audio::ManualOutput& output = manual.Output();
    std::vector<TickSeen> seen;
    bool traceShown = false;
    while (output.HeardFrames() < std::uint64_t(toneStart) + 10000) {
        lib.Update();
        output.Step(kTickFrames);
        if (output.RenderedFrames() > kDeviceHolds)
            output.Hear(std::size_t(output.RenderedFrames() - kDeviceHolds - output.HeardFrames()));
        const visual::HeardMoment now{stream, std::int64_t(lib.ChannelGetHeardPosition(stream) / 4), 44100,
                                      true};
        if (visualizer.Tick(now, {}))
            traceShown = TraceLeavesTheMiddle(visualizer.ShownFrame(), background);
        seen.push_back({output.HeardFrames(), traceShown, visualizer.HeardLevel(now) != 0});
    }

    // Where the tone is in what the output played.
    const std::vector<std::uint8_t>& played = output.Captured();
    std::optional<std::uint64_t> toneAt;
    for (std::size_t f = 0; f * 4 < played.size() && !toneAt; ++f) {
        std::int16_t left = 0;
        std::memcpy(&left, played.data() + f * 4, 2);
        if (left != 0)
            toneAt = f;
    }
    ASSERT_TRUE(toneAt.has_value());
    EXPECT_NEAR(double(*toneAt), double(toneStart), 64); // the decoder's frames are the output's

    const auto firstShowing = [&](bool TickSeen::*what) -> std::optional<std::uint64_t> {
        for (const TickSeen& t : seen)
            if (t.*what)
                return t.outputHeard;
        return std::nullopt;
    };
    for (bool TickSeen::*what : {&TickSeen::traceShows, &TickSeen::levelShows}) {
        const std::optional<std::uint64_t> shows = firstShowing(what);
        ASSERT_TRUE(shows.has_value());
        EXPECT_GT(*shows, *toneAt) << "shown before it was heard";
        EXPECT_LE(std::int64_t(*shows) - std::int64_t(*toneAt), kWithin) << "shown too late";
    }
}

} // namespace

TEST(VisTiming, AToneShowsWithin30MsOfBeingHeardAndNeverBefore)
{
    // Blocks start at multiples of 4096 frames: the tone starts early, in the
    // middle and late in one.
    for (const std::int64_t toneStart : {28772, 29572, 30372, 31172, 31972, 32672}) {
        SCOPED_TRACE(toneStart);
        ExpectToneShowsInTime(toneStart);
    }
}
