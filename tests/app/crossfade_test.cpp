// The engine over the real audio library on a manual device: a crossfade
// rendered to samples.
#include "app/engine.h"
#include "app/enginefakes.h"
#include "audio/library.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using namespace velmoro;

namespace {

QString Fixture(const char* name)
{
    return QStringLiteral(VELMORO_FIXTURE_DIR "/") + QString::fromLatin1(name);
}

} // namespace

TEST(Crossfade, TheOldStreamFallsAsTheNewOneRisesWithoutAClick)
{
    auto provider = std::make_unique<audio::ManualProvider>();
    audio::ManualProvider* device = provider.get();
    audio::AudioLibrary library(std::move(provider), audio::LibraryOptions{false});
    ASSERT_TRUE(library.Init(-1, 44100, 0) && library.Start());
    app::PlayerState state;
    settings::Settings settings;
    test::RecordingDisplay display;
    test::RecordingCommands commands;
    app::PlaybackEngine engine(state.Playback, state.Tracks, state.Dirs, settings, library, display,
                               commands);

    // One 10 ms tick: the running fade timers, then 441 frames heard.
    std::vector<std::int16_t> heard;
    const auto tick = [&] {
        if (engine.TimerFadeIn.isActive())
            engine.TimerFadeInTimer();
        if (engine.TimerFadeOut.isActive())
            engine.TimerFadeOutTimer();
        library.Update();
        device->Current()->ClearCaptured();
        device->Current()->Step(441);
        const auto& bytes = device->Current()->Captured();
        const std::size_t at = heard.size();
        heard.resize(at + bytes.size() / 2);
        std::memcpy(heard.data() + at, bytes.data(), bytes.size());
    };

    engine.OpenStreamFile(Fixture("l3-v1-44100-cbr128-id3v2.mp3"));
    engine.PlayCurrentStream();
    const audio::Handle old = state.Playback.CurrentStream;
    for (int i = 0; i < 100; ++i)
        tick();
    EXPECT_NEAR(double(library.ChannelGetLevel(old) & 0xFFFF), 0.8 * 64, 8);

    engine.OpenStreamFile(Fixture("sine1k-v1-44100-cbr256.mp3"));
    engine.PlayCurrentStream();
    const audio::Handle fresh = state.Playback.CurrentStream;
    std::vector<int> oldLevels;
    std::vector<int> newLevels;
    for (int i = 0; i < 110; ++i) {
        tick();
        oldLevels.push_back(int(library.ChannelGetLevel(old) & 0xFFFF));
        newLevels.push_back(int(library.ChannelGetLevel(fresh) & 0xFFFF));
    }
    // The new stream reaches the player volume after 81 ticks; the old one
    // is silent and freed after 101.
    EXPECT_LT(newLevels[5], 8);
    EXPECT_NEAR(newLevels[40], 64 * 41 / 100.0, 4);
    EXPECT_NEAR(newLevels[85], 64 * 0.8, 4);
    EXPECT_GT(oldLevels[5], oldLevels[50]);
    EXPECT_GT(oldLevels[50], oldLevels[95]);
    EXPECT_EQ(oldLevels[105], 0);
    EXPECT_FALSE(engine.TimerFadeOut.isActive());
    EXPECT_FALSE(engine.TimerFadeIn.isActive());
    EXPECT_EQ(library.StreamGetLength(old), 0u); // freed

    // No click: no step between neighbouring samples beyond what two
    // half-scale 1 kHz tones can make (2π · 1000 / 44100 · 16384 each).
    int largestStep = 0;
    for (std::size_t i = 2; i < heard.size(); ++i)
        largestStep = std::max(largestStep, std::abs(heard[i] - heard[i - 2]));
    EXPECT_LT(largestStep, 2 * 2335 + 200);
}
