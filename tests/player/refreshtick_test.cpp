// The refresh tick over a recording audio library: the display it keeps in
// step, the end of a track, when it wants to run next, and the format of a
// network stream that comes late.
#include "player/controllers.h"

#include <gtest/gtest.h>

using namespace velmoro;
using app::PlayStatusValue;
using test::FakeAudio;
using test::Fixture;

namespace {

class RefreshTickTest : public testing::Test, protected test::Controllers {
protected:
    player::NextTick Tick() { return tick.Run(10); }
};

} // namespace

TEST_F(RefreshTickTest, ShowsTimePositionAndMeters)
{
    FakeAudio::Stream& s = Playing(200 * 176400, 200);
    s.position = 135 * 176400; // 135 s of 200
    s.level = 128 | 60 << 16;
    settings.SetChecked("VUMeterCheck", true);
    ASSERT_FALSE(settings.Checked("CountDownCheck"));
    Tick();
    EXPECT_EQ(skin.status, skin::ssPlay);
    EXPECT_EQ(skin.progress, "02 15");
    EXPECT_EQ(skin.positionBar, 135 * 256 / 200);
    EXPECT_EQ(skin.left, 49); // capped
    EXPECT_EQ(skin.right, 30);
    command.ToggleCountDown();
    Tick();
    EXPECT_EQ(skin.progress, "01 05"); // counting down
    command.ToggleCountDown();
    EXPECT_FALSE(settings.Checked("CountDownCheck"));

    command.Pause();
    Tick();
    EXPECT_EQ(skin.status, skin::ssPause);
    EXPECT_EQ(skin.progress, "01 05"); // the time stays as it was
    EXPECT_EQ(skin.left, 0);
    command.Stop();
    Tick();
    EXPECT_EQ(skin.status, skin::ssStop);
    EXPECT_EQ(s.position, 0u);
    EXPECT_EQ(skin.progress, "");
    EXPECT_EQ(playback.PlayStatus, PlayStatusValue::Stopped);
}

TEST_F(RefreshTickTest, EndOfTrackStopsOrAdvancesWithRepeat)
{
    tracks.Playlist.AddFile(Fixture("sine1k-v1-44100-cbr256.mp3"));
    FakeAudio::Stream& s = Playing(100 * 176400, 100);
    s.position = 94 * 176400; // 6 s left: still playing
    Tick();
    EXPECT_EQ(playback.PlayStatus, PlayStatusValue::Playing);
    s.position = 95 * 176400; // 5 s left: the crossfade lead
    Tick();
    EXPECT_EQ(playback.PlayStatus, PlayStatusValue::Stopped);
    EXPECT_EQ(skin.status, skin::ssPlay); // shown stopped from the next tick
    const audio::Handle old = playback.CurrentStream;

    // With repeat and one entry the same entry opens and plays again.
    skin.repeat = true;
    command.Play();
    Tick();
    EXPECT_NE(playback.CurrentStream, old);
    EXPECT_EQ(playback.FadingStream, old);
    EXPECT_EQ(tracks.CurrentIndex, 0);
    EXPECT_EQ(playback.PlayStatus, PlayStatusValue::Playing);
}

// Stopped or paused, the tick asks to sleep once the display shows so;
// playing, it asks for the time of the next change unless meters move.
TEST_F(RefreshTickTest, WhenTheNextTickIsDue)
{
    const auto sleeps = [](player::NextTick t) { return t.sleep; };
    EXPECT_TRUE(sleeps(Tick())); // idle, and the display shows it already
    skin.positionBar = 120;      // dragged while still: put back, then still again
    EXPECT_FALSE(sleeps(Tick()));
    EXPECT_EQ(skin.positionBar, 0);
    EXPECT_TRUE(sleeps(Tick()));

    FakeAudio::Stream& s = Playing(200 * 176400, 200);
    s.frequency = 44100;
    s.position = 135 * 176400;
    EXPECT_EQ(Tick().intervalMs, 160); // the position bar's next step
    s.position = 135 * 176400 + 27000; // 6 ms before the bar steps
    EXPECT_EQ(Tick().intervalMs, 10);  // due sooner than the interval
    settings.SetChecked("VUMeterCheck", true);
    s.position = 135 * 176400;
    EXPECT_EQ(Tick().intervalMs, 10);
    settings.SetChecked("VUMeterCheck", false);
    EXPECT_EQ(Tick().intervalMs, 160);

    command.Pause();
    const player::NextTick paused = Tick();
    EXPECT_FALSE(paused.sleep);
    EXPECT_EQ(paused.intervalMs, 0); // the interval stays as the wake set it
    EXPECT_TRUE(sleeps(Tick()));
}

// The display area's frames bring the next tick forward, never nearer than
// the interval; one that changes on every tick holds the tick at the interval.
TEST_F(RefreshTickTest, TheDisplayAreasFramesBringTheTickForward)
{
    struct FakeVis : player::VisTick {
        player::VisPace pace;
        player::VisPace RunVis() override { return pace; }
        std::uint32_t HeardLevel() override { return 0; }
    } vis;
    tick.SetVisTick(&vis);
    FakeAudio::Stream& s = Playing(200 * 176400, 200);
    s.frequency = 44100;
    s.position = 135 * 176400; // the position bar's next step in 160 ms
    struct Case {
        player::VisPace pace;
        int intervalMs;
    };
    const std::vector<Case> cases{
        {{false, 0}, 160}, {{true, 0}, 10}, {{true, 53}, 53}, {{true, 4}, 10}, {{true, 400}, 160},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pace.msUntilChange);
        vis.pace = c.pace;
        EXPECT_EQ(Tick().intervalMs, c.intervalMs);
    }
    tick.SetVisTick(nullptr);
}

// A network stream's length comes after its open: until then the tick shows
// no time and finds no end; then the time runs and the rate shows.
TEST_F(RefreshTickTest, TakesUpTheFormatOfANetworkStreamWhenItComes)
{
    engine.OpenStream("http://radio.example/live.mp3");
    command.Play();
    FakeAudio::Stream& s = *audio.Find(playback.CurrentStream);
    Tick();
    EXPECT_EQ(playback.PlayStatus, PlayStatusValue::Playing); // no length: no end of track
    EXPECT_EQ(skin.progress, "");
    EXPECT_EQ(skin.frequency, -1);

    s.length = 60 * 176400;
    s.frequency = 44100;
    s.position = 30 * 176400;
    Tick();
    EXPECT_EQ(playback.TrackSeconds, std::int32_t(60 * 176400 / 1000));
    EXPECT_EQ(skin.frequency, 44100);
    EXPECT_EQ(skin.positionBar, 128);
    EXPECT_EQ(playback.PlayStatus, PlayStatusValue::Playing);
}
