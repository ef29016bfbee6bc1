// The equalizer engine over a recording audio library: what ApplyEqualizer
// pushes in each mode, what an open attaches, and what a slider or a preset
// sends.
#include "app/engine.h"
#include "app/enginefakes.h"
#include "app/equalizer.h"
#include "support/fakeaudio.h"
#include "support/fixturepath.h"

#include <gtest/gtest.h>

using namespace velmoro;
using app::EqualizerEngine;
using test::FakeAudio;
using test::Fixture;

namespace {

class EqualizerTest : public testing::Test {
protected:
    EqualizerTest()
        : engine(shared.Playback, shared.Tracks, shared.Dirs, settings, audio, display, commands),
          equalizer(shared.Eq, shared.Playback, settings, audio)
    {
        QObject::connect(&engine, &app::PlaybackEngine::StreamOpened, &equalizer,
                         &EqualizerEngine::StreamOpened);
    }

    void Audible(bool on) { settings.SetChecked(QStringLiteral("EqualizzatoreAttivoCheck"), on); }
    void Open() { engine.OpenStreamFile(Fixture("l3-v1-44100-cbr128-stereo.mp3")); }

    app::PlayerState shared;
    app::EqualizerState& eq = shared.Eq;
    settings::Settings settings;
    FakeAudio audio;
    test::RecordingDisplay display;
    test::RecordingCommands commands;
    app::PlaybackEngine engine;
    EqualizerEngine equalizer;
};

TEST_F(EqualizerTest, TheDesignedModePushesSevenBlocksToHandlesNeverAttached)
{
    Open();
    EXPECT_TRUE(audio.effects.empty());
    struct Case {
        bool enabled;
        float bandwidth;
    };
    eq.EqSlider = {5, -3, 2, 0, 9, 1, -14, 7, 7, 7};
    for (const Case c : {Case{true, 3}, Case{false, 10}}) {
        audio.fxPushes.clear();
        eq.EqEnabled = c.enabled;
        equalizer.ApplyEqualizer();
        ASSERT_EQ(audio.fxPushes.size(), 7u);
        for (std::size_t b = 0; b < 7; ++b) {
            const auto& p = audio.fxPushes[b];
            EXPECT_EQ(p.fx, 0u);
            EXPECT_EQ(p.parameters.center, app::kEqBandCentres[b]);
            EXPECT_EQ(p.parameters.bandwidth, c.bandwidth);
            EXPECT_EQ(p.parameters.gain, c.enabled ? float(eq.EqSlider[b]) : 0.0f);
        }
    }
    EXPECT_EQ(eq.EqParam.center, 6000.0f); // the one block, left at band 7
    audio.fxPushes.clear();
    equalizer.LoadGains({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    EXPECT_TRUE(audio.fxPushes.empty()); // a preset load alone sends nothing
    EXPECT_EQ(eq.EqSlider[9], 10);
}

TEST_F(EqualizerTest, TheAudibleModeAttachesToEveryOpenAndPushesAllTenAndThePreamplifier)
{
    Audible(true);
    Open();
    const audio::Handle first = shared.Playback.CurrentStream;
    ASSERT_EQ(audio.effects.size(), 11u);
    EXPECT_EQ(audio.effects[eq.EqPreampFx].kind, audio::FxKind::Gain);
    for (audio::Handle fx : eq.EqFx) {
        EXPECT_EQ(audio.effects[fx].stream, first);
        EXPECT_EQ(audio.effects[fx].kind, audio::FxKind::PeakingEq);
    }
    // Attached flat: the switch is off.
    ASSERT_EQ(audio.fxPushes.size(), 11u);
    for (const auto& p : audio.fxPushes)
        EXPECT_EQ(p.parameters.gain, 0.0f);

    eq.EqEnabled = true;
    equalizer.SetGain(0, -20); // held at −14
    equalizer.SetGain(10, 6);
    EXPECT_EQ(eq.EqPreamp, -14);
    EXPECT_EQ(eq.EqSlider[9], 6);
    audio.fxPushes.clear();
    equalizer.LoadGains({99, -99, 0, 0, 0, 0, 0, 0, 0, 1}); // out of range from a hand-edited file
    ASSERT_EQ(audio.fxPushes.size(), 11u);
    EXPECT_EQ(audio.fxPushes[0].parameters.gain, 14.0f);
    EXPECT_EQ(audio.fxPushes[1].parameters.gain, -14.0f);
    EXPECT_EQ(audio.fxPushes[9].fx, eq.EqFx[9]);
    EXPECT_EQ(audio.fxPushes[9].parameters.center, 16000.0f);
    EXPECT_EQ(audio.fxPushes[9].parameters.bandwidth, 3.0f);
    EXPECT_EQ(audio.fxPushes[10].fx, eq.EqPreampFx);
    EXPECT_EQ(audio.fxPushes[10].parameters.gain, -14.0f);

    // The next open gets effects of its own; the fading stream keeps its.
    const audio::Handle oldBand = eq.EqFx[0];
    Open();
    EXPECT_EQ(shared.Playback.FadingStream, first);
    EXPECT_NE(eq.EqFx[0], oldBand);
    EXPECT_EQ(audio.effects[eq.EqFx[0]].stream, shared.Playback.CurrentStream);
    EXPECT_EQ(audio.effects[oldBand].stream, first);
    EXPECT_EQ(audio.fxPushes.back().parameters.gain, -14.0f); // pushed as it stands
}

TEST_F(EqualizerTest, SwitchingTheSettingAttachesToThePlayingStreamOrFlattensAndForgets)
{
    Open();
    eq.EqEnabled = true;
    eq.EqSlider.fill(8);
    Audible(true);
    ASSERT_NE(eq.EqFx[4], 0u);
    EXPECT_EQ(audio.fxPushes.back().parameters.gain, 0.0f); // the preamplifier
    EXPECT_EQ(audio.fxPushes[audio.fxPushes.size() - 2].parameters.gain, 8.0f);
    const audio::Handle band = eq.EqFx[4];
    audio.fxPushes.clear();
    Audible(false);
    ASSERT_EQ(audio.fxPushes.size(), 11u);
    EXPECT_EQ(audio.fxPushes[4].fx, band);
    for (const auto& p : audio.fxPushes)
        EXPECT_EQ(p.parameters.gain, 0.0f);
    EXPECT_EQ(eq.EqFx[4], 0u);
    EXPECT_EQ(eq.EqPreampFx, 0u);
    EXPECT_TRUE(eq.EqEnabled);
}

TEST_F(EqualizerTest, TheResponseRaisesEachCentreByItsGain)
{
    std::array<std::int32_t, 10> gains{};
    gains[4] = 12;
    EXPECT_NEAR(app::EqualizerResponseDb(gains, 1000), 12, 0.01);
    EXPECT_NEAR(app::EqualizerResponseDb(gains, 250), 0, 0.5);
    gains[0] = -6;
    EXPECT_NEAR(app::EqualizerResponseDb(gains, 80), -6, 0.1);
    EXPECT_EQ(app::EqualizerResponseDb({}, 440), 0);
}

TEST_F(EqualizerTest, ASliderOutsideTheElevenIsRefused)
{
    EXPECT_DEBUG_DEATH(equalizer.SetGain(11, 3), "check failed");
    EXPECT_DEBUG_DEATH(EXPECT_EQ(equalizer.Gain(-1), 0), "check failed");
}

} // namespace
