// The playback engine over a recording audio library: opens, crossfades,
// the fade timers, URL opens and the DSP function.
#include "app/engine.h"
#include "app/enginefakes.h"
#include "support/capturedlog.h"
#include "platform/logging.h"
#include "support/fakeaudio.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace velmoro;
using app::PlaybackEngine;
using test::FakeAudio;

namespace {

QString Fixture(const char* name)
{
    return QStringLiteral(VELMORO_FIXTURE_DIR "/") + QString::fromLatin1(name);
}

class EngineTest : public testing::Test {
protected:
    EngineTest() : engine(state, shared.Tracks, shared.Dirs, settings, audio, display, commands) {}

    int Volume(audio::Handle h) { return audio.Find(h) ? audio.Find(h)->volume : -1; }

    app::PlayerState shared;
    app::PlaybackState& state = shared.Playback;
    settings::Settings settings;
    FakeAudio audio;
    test::RecordingDisplay display;
    test::RecordingCommands commands;
    PlaybackEngine engine;
};

} // namespace

TEST_F(EngineTest, FirstOpenShowsTheTrackAndStartsSilentWithoutAFadeOut)
{
    engine.OpenStreamFile(Fixture("l3-v1-44100-cbr128-id3v1.mp3"));
    ASSERT_NE(state.CurrentStream, 0u);
    EXPECT_EQ(state.FadingStream, 0u);
    EXPECT_FALSE(engine.TimerFadeOut.isActive());
    EXPECT_TRUE(engine.TimerFadeIn.isActive());
    EXPECT_EQ(engine.TimerFadeIn.interval(), 10);
    EXPECT_EQ(Volume(state.CurrentStream), 0);
    EXPECT_EQ(audio.Find(state.CurrentStream)->flags, 0x20080u);
    EXPECT_NE(state.DspHandle, 0u);
    EXPECT_EQ(state.CurrentFileName, Fixture("l3-v1-44100-cbr128-id3v1.mp3"));
    EXPECT_EQ(state.TrackSeconds, 2);
    EXPECT_EQ(display.title, "*** Author: Fixture Artist * Title: Fixture Title * Duration: 0:02 ***");
    EXPECT_EQ(display.frequency, 44100);
    EXPECT_EQ(display.bitrate, 128);
    EXPECT_TRUE(display.stereo);
    EXPECT_FALSE(audio.Find(state.CurrentStream)->playing); // opening does not play
    EXPECT_EQ(state.PlayStatus, app::PlayStatusValue::Idle);

    settings.SetChecked("MetaBitrateCheck", true);
    engine.OpenStreamFile(Fixture("l3-v1-32000-cbr64-mono.mp3"));
    EXPECT_EQ(audio.Find(state.CurrentStream)->flags, 0x30080u);
    EXPECT_FALSE(display.stereo);
}

TEST_F(EngineTest, CrossfadeBetweenTwoOpens)
{
    engine.OpenStreamFile(Fixture("sine1k-v1-44100-cbr256.mp3"));
    const audio::Handle first = state.CurrentStream;
    engine.PlayCurrentStream();
    // Fade-in to the player volume 80 takes 81 ticks, the last sets 80 exactly.
    for (int tick = 0; tick < 81; ++tick) {
        ASSERT_TRUE(engine.TimerFadeIn.isActive()) << tick;
        engine.TimerFadeInTimer();
    }
    EXPECT_FALSE(engine.TimerFadeIn.isActive());
    EXPECT_EQ(Volume(first), 80);

    engine.OpenStreamFile(Fixture("sine1k-v2-22050-cbr128.mp3"));
    const audio::Handle second = state.CurrentStream;
    EXPECT_NE(second, first);
    EXPECT_EQ(state.FadingStream, first);
    EXPECT_TRUE(engine.TimerFadeOut.isActive());
    EXPECT_EQ(audio.Find(first)->dsps.size(), 0u); // its DSP function is gone
    // At step 1 the fade-out lasts 101 ticks, then the old stream is freed.
    for (int tick = 0; tick < 100; ++tick)
        engine.TimerFadeOutTimer();
    EXPECT_EQ(Volume(first), 0);
    EXPECT_TRUE(audio.Find(first) != nullptr);
    engine.TimerFadeOutTimer();
    EXPECT_EQ(audio.Find(first), nullptr);
    EXPECT_FALSE(engine.TimerFadeOut.isActive());
    EXPECT_EQ(state.FadingStream, 0u);
}

TEST_F(EngineTest, AThirdOpenEndsTheRunningFadeOutAtOnce)
{
    engine.OpenStreamFile(Fixture("sine1k-v1-44100-cbr256.mp3"));
    const audio::Handle first = state.CurrentStream;
    engine.OpenStreamFile(Fixture("sine1k-v2-22050-cbr128.mp3"));
    const audio::Handle second = state.CurrentStream;
    audio.Find(second)->volume = 37;
    engine.TimerFadeOutTimer();
    engine.OpenStreamFile(Fixture("sine1k-l2-48000.mp2"));
    EXPECT_EQ(audio.Find(first), nullptr); // stopped and freed at once
    EXPECT_EQ(state.FadingStream, second);
    EXPECT_EQ(engine.FadeOutTag, 0);
    engine.TimerFadeOutTimer();
    EXPECT_EQ(Volume(second), 36); // from its present level
}

TEST_F(EngineTest, AFailedStreamCreationLeavesNoStreamWhileTheOldOneFades)
{
    engine.OpenStreamFile(Fixture("sine1k-v1-44100-cbr256.mp3"));
    const audio::Handle first = state.CurrentStream;
    engine.PlayCurrentStream();
    audio.Find(first)->volume = 80; // its fade-in is done
    audio.createFails = true;
    engine.OpenStreamFile(Fixture("sine1k-v2-22050-cbr128.mp3"));
    EXPECT_EQ(state.CurrentStream, 0u);
    EXPECT_EQ(state.DspHandle, 0u);
    EXPECT_EQ(state.FadingStream, first);
    EXPECT_TRUE(engine.TimerFadeOut.isActive());
    engine.TimerFadeInTimer(); // on handle 0: fails quietly
    engine.TimerFadeOutTimer();
    EXPECT_EQ(Volume(first), 79);
    EXPECT_EQ(state.PlayStatus, app::PlayStatusValue::Playing);
}

TEST_F(EngineTest, FadeOutStepsNeverAskForANegativeVolume)
{
    state.FadeOutStep = 30;
    engine.OpenStreamFile(Fixture("sine1k-v1-44100-cbr256.mp3"));
    const audio::Handle first = state.CurrentStream;
    audio.Find(first)->volume = 50;
    engine.OpenStreamFile(Fixture("sine1k-v2-22050-cbr128.mp3"));
    std::vector<int> volumes;
    while (engine.TimerFadeOut.isActive()) {
        engine.TimerFadeOutTimer();
        if (audio.Find(first))
            volumes.push_back(Volume(first));
    }
    EXPECT_EQ(volumes, (std::vector<int>{20, 0, 0}));
    EXPECT_TRUE(std::none_of(audio.calls.begin(), audio.calls.end(),
                             [](const std::string& c) { return c.rfind("volume out of range", 0) == 0; }));
}

TEST_F(EngineTest, PlayUsesThePlayerVolumeAndBalance)
{
    engine.OpenStreamFile(Fixture("sine1k-v1-44100-cbr256.mp3"));
    engine.TimerFadeInTimer();
    engine.PlayCurrentStream();
    EXPECT_TRUE(audio.Find(state.CurrentStream)->playing);
    EXPECT_EQ(state.PlayStatus, app::PlayStatusValue::Playing);
    EXPECT_EQ(audio.globalStream, 80);
    EXPECT_EQ(audio.outputVolume, 80);
    EXPECT_EQ(audio.Find(state.CurrentStream)->pan, 0);
    EXPECT_EQ(Volume(state.CurrentStream), 1); // the fade-in keeps its level
    display.balance = 0;
    engine.PlayCurrentStream();
    EXPECT_EQ(audio.Find(state.CurrentStream)->pan, 100);
    EXPECT_EQ(commands.visStarts, 0);
    settings.SetChecked("AutostartVisCheck", true);
    engine.PlayCurrentStream();
    EXPECT_EQ(commands.visStarts, 1);
}

TEST_F(EngineTest, MissingFilesAreTriedOnceEachThenTheChainStops)
{
    QTemporaryDir dir;
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"})
        shared.Tracks.Playlist.AddFile(dir.filePath(name)); // none of them exists
    engine.OpenStreamFile(Fixture("sine1k-v1-44100-cbr256.mp3"));
    const audio::Handle playing = state.CurrentStream;
    const QString playingName = state.CurrentFileName;
    commands.next = [&] {
        shared.Tracks.CurrentIndex = (shared.Tracks.CurrentIndex + 1) % shared.Tracks.Playlist.Count();
        engine.OpenStreamFile(shared.Tracks.Playlist.Items(shared.Tracks.CurrentIndex).GetFileName());
    };
    engine.OpenStreamFile(dir.filePath("a.mp3"));
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(commands.nextCalls, 2); // a, then b and c: each entry once
    EXPECT_EQ(state.CurrentStream, playing);
    EXPECT_EQ(state.CurrentFileName, playingName);
    EXPECT_EQ(display.title, PlaybackEngine::kNoFileFound);

    // A found file starts the count again.
    engine.OpenStreamFile(Fixture("sine1k-v2-22050-cbr128.mp3"));
    commands.nextCalls = 0;
    engine.OpenStreamFile(dir.filePath("b.mp3"));
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(commands.nextCalls, 2);
}

TEST_F(EngineTest, OpenStreamKeepsTheCaseOfNamesAndAddresses)
{
    QTemporaryDir dir;
    const QString lower = dir.filePath("canzone.mp3");
    ASSERT_TRUE(QFile::copy(Fixture("sine1k-v1-44100-cbr256.mp3"), lower));
    engine.OpenStream(lower);
    EXPECT_EQ(state.CurrentFileName, lower);
    EXPECT_EQ(audio.Find(state.CurrentStream)->source, lower.toStdString());
    EXPECT_TRUE(audio.Find(state.CurrentStream)->playing);

    shared.Dirs.AppDir = dir.path() + "/";
    audio.urlLength = 123456;
    engine.OpenStream("http://radio.example/Live/Stream.mp3");
    const FakeAudio::Stream* url = audio.Find(state.CurrentStream);
    ASSERT_TRUE(url);
    EXPECT_EQ(url->source, "http://radio.example/Live/Stream.mp3");
    EXPECT_EQ(url->localCopy, (dir.path() + "/NetTemp.mp3").toStdString());
    EXPECT_EQ(url->volume, 0);
    EXPECT_FALSE(url->playing); // the play button starts it
    EXPECT_EQ(state.CurrentFileName, "http://radio.example/Live/Stream.mp3");
    EXPECT_EQ(display.title, "HTTP://RADIO.EXAMPLE/LIVE/STREAM.MP3");
    EXPECT_EQ(display.frequency, -1);
    EXPECT_EQ(display.bitrate, -1);
    EXPECT_EQ(state.TrackSeconds, 123);
    EXPECT_NE(state.FadingStream, 0u); // the file fades out under the stream
}

TEST_F(EngineTest, SwitchedOffProtocolsChangeNothing)
{
    settings.SetChecked("HttpCheck", false);
    settings.SetChecked("FTPCheck", false);
    settings.SetText("EdittempMp3", "");
    const auto calls = audio.calls.size();
    engine.OpenStream("http://radio.example/a.mp3");
    engine.OpenStream("ftp://files.example/a.mp3");
    EXPECT_EQ(audio.calls.size(), calls);
    EXPECT_EQ(state.CurrentStream, 0u);
    EXPECT_TRUE(display.title.isEmpty());
    settings.SetChecked("FTPCheck", true);
    engine.OpenStream("ftp://files.example/a.mp3");
    ASSERT_NE(state.CurrentStream, 0u);
    EXPECT_EQ(audio.Find(state.CurrentStream)->localCopy, "");
}

// The DSP function keeps each block with its stream position, in every mode
// that shows something.
TEST_F(EngineTest, DspKeepsThePositionedSamplesUnlessNothingShows)
{
    std::int16_t block[4] = {1, 2, 3, 4};
    std::int16_t read[4] = {};
    PlaybackEngine::VisDspProc(1, 7, block, sizeof block, 400, &engine);
    EXPECT_EQ(engine.Samples().Read(7, 100, 2, read), 2u);
    EXPECT_EQ(std::vector<std::int16_t>(read, read + 4), (std::vector<std::int16_t>{1, 2, 3, 4}));
    settings.SetChecked("OSCNessunoCheck", true);
    PlaybackEngine::VisDspProc(1, 7, block, sizeof block, 408, &engine);
    EXPECT_EQ(engine.Samples().Read(7, 102, 2, read), 0u);
}

// A network stream answers its length and rate only once its first frames
// have come: the tick's pick-up shows them then, and asks no more after.
TEST_F(EngineTest, ANetworkStreamsFormatIsTakenUpOnceKnown)
{
    engine.OpenStream("http://radio.example/live.mp3");
    FakeAudio::Stream& stream = *audio.Find(state.CurrentStream);
    engine.PlayCurrentStream();
    engine.PickUpLateFormat();
    EXPECT_EQ(state.TrackSeconds, 0);
    EXPECT_EQ(display.frequency, -1);

    stream.frequency = 22050;
    engine.PickUpLateFormat();
    EXPECT_EQ(display.frequency, 22050);
    EXPECT_EQ(state.TrackSeconds, 0);
    stream.length = 4410000;
    engine.PickUpLateFormat();
    EXPECT_EQ(state.TrackSeconds, 4410); // bytes div 1000, as at an open
    EXPECT_EQ(display.bitrate, -1);      // the library does not tell it

    display.frequency = 0;
    stream.length = 1000;
    engine.PickUpLateFormat();
    EXPECT_EQ(display.frequency, 0); // taken up once
    EXPECT_EQ(state.TrackSeconds, 4410);

    // A file's format is read at its open: nothing is left to take up.
    engine.OpenStream("http://radio.example/other.mp3");
    engine.OpenStreamFile(Fixture("sine1k-v1-44100-cbr256.mp3"));
    display.frequency = 0;
    audio.Find(state.CurrentStream)->frequency = 48000;
    engine.PickUpLateFormat();
    EXPECT_EQ(display.frequency, 0);
}

// Volume, fades and balance change their own value only: writing back a rate
// read before the stream knew it would slow the stream to a crawl.
TEST_F(EngineTest, VolumeAndPanChangesNeverWriteTheRate)
{
    engine.OpenStream("http://radio.example/live.mp3");
    engine.PlayCurrentStream();
    engine.TimerFadeInTimer();
    engine.ApplyBalance(20);
    engine.OpenStreamFile(Fixture("sine1k-v1-44100-cbr256.mp3"));
    engine.TimerFadeOutTimer();
    engine.TimerFadeInTimer();
    EXPECT_TRUE(std::none_of(audio.calls.begin(), audio.calls.end(),
                             [](const std::string& c) { return c.rfind("rate set", 0) == 0; }));
    EXPECT_EQ(audio.Find(state.FadingStream)->pan, app::PanFromBalance(20));
    EXPECT_EQ(app::PanFromBalance(0), 100);
    EXPECT_EQ(app::PanFromBalance(50), 0);
    EXPECT_EQ(app::PanFromBalance(100), -100);
}

TEST_F(EngineTest, AStreamThatCannotBeCreatedIsLoggedOnce)
{
    const test::CapturedLog warnings(lcApp());
    audio.createFails = true;
    engine.OpenStreamFile(Fixture("sine1k-v1-44100-cbr256.mp3"));
    ASSERT_EQ(warnings.Messages().size(), 1);
    EXPECT_TRUE(warnings.Messages()[0].contains("sine1k-v1-44100-cbr256.mp3"));
}
