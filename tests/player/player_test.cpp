// The player window over a recording audio library, offscreen: skin events,
// the refresh tick, navigation, seeking, opening files, the command line,
// and what is saved on close.
#include "player/bookmarks.h"
#include "player/docking.h"
#include "player/playerform.h"
#include "player/timedisplay.h"
#include "support/fakeaudio.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <set>

using namespace velmoro;
using player::TPlayerForm;
using test::FakeAudio;

namespace {

QString Fixture(const char* name)
{
    return QStringLiteral(VELMORO_FIXTURE_DIR "/") + QString::fromLatin1(name);
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class PlayerTest : public testing::Test {
protected:
    PlayerTest()
    {
        // The program's directory is a fresh one, with no skins in it.
        form = std::make_unique<TPlayerForm>(state, settings, audio,
                                             [this](const QString& t, const QString&) { errors << t; });
        form->FormCreate(dir.path(), dir.filePath("user"), QString());
    }

    // The second start-up phase, as TimerInizializ would run it.
    void SecondPhase(const QString& commandLine = QString())
    {
        form->StartupPhases.TimerInizializ.stop();
        if (!commandLine.isEmpty())
            form->FormCreate(dir.path(), dir.filePath("user"), commandLine);
        form->StartupPhases.TimerInizializTimer();
    }

    // Plays a stream of the given length as the current one.
    FakeAudio::Stream& Playing(std::uint32_t length, std::int32_t seconds)
    {
        form->Engine.OpenStreamFile(Fixture("sine1k-v1-44100-cbr256.mp3"));
        form->MainPlayerSkinPlayClick();
        state.TrackSeconds = seconds;
        FakeAudio::Stream& s = *audio.Find(state.CurrentStream);
        s.length = length;
        return s;
    }

    QTemporaryDir dir;
    app::PlayerState state;
    settings::Settings settings;
    FakeAudio audio;
    QStringList errors;
    std::unique_ptr<TPlayerForm> form;
};

} // namespace

TEST(TimeDisplay, TextAndArithmetic)
{
    EXPECT_EQ(player::TimeDisplayText(200), "03 20");
    EXPECT_EQ(player::TimeDisplayText(65), "01 05");
    EXPECT_EQ(player::TimeDisplayText(6000), "100 00");
    EXPECT_EQ(player::TimeDisplayText(0), "00 00");
    // Bytes are counted in thousands before the division, as the tick does.
    EXPECT_EQ(player::ComputeTrackTime(88200 * 4, 176400 * 4, 4).elapsed, 1);
    const player::TrackTime t = player::ComputeTrackTime(2000000, 4000000, 4);
    EXPECT_TRUE(t.known);
    EXPECT_EQ(t.elapsed, 2);
    EXPECT_EQ(t.remaining, 2);
    EXPECT_EQ(t.positionBar, 128);
    EXPECT_EQ(player::ComputeTrackTime(500, 999, 10).known, false); // no division by a zero length
    EXPECT_EQ(player::ComputeTrackTime(1000, 1000, 10).positionBar, 256);
    // An hour-long track: the product of seconds and position needs more than 32 bits.
    const player::TrackTime hour = player::ComputeTrackTime(3000u * 176400, 3600u * 176400, 3600);
    EXPECT_EQ(hour.elapsed, 3000);
}

// The tick sleeps until the time or the position bar next changes: the wait
// it computes must never skip a change, and must reach the change it expects.
TEST(TimeDisplay, WaitUntilTheNextChange)
{
    constexpr std::uint32_t kBytesPerSecond = 176400;
    constexpr std::uint32_t kLength = 30 * kBytesPerSecond;
    const auto sameDisplay = [](const player::TrackTime& a, const player::TrackTime& b) {
        return a.elapsed == b.elapsed && a.positionBar == b.positionBar;
    };
    for (std::uint32_t position = 0; position + kBytesPerSecond < kLength; position += 1764) {
        const player::TrackTime now = player::ComputeTrackTime(position, kLength, 30);
        const std::int64_t wait = player::MsUntilDisplayChange(position, kLength, 30, kBytesPerSecond);
        ASSERT_GT(wait, 0) << position;
        const auto after = [&](std::int64_t ms) {
            return player::ComputeTrackTime(position + std::uint32_t(ms * kBytesPerSecond / 1000), kLength,
                                            30);
        };
        ASSERT_TRUE(wait < 2 || sameDisplay(after(wait - 2), now)) << position; // nothing skipped
        ASSERT_FALSE(sameDisplay(after(wait), now)) << position;                // and the change is there
    }
    // 135 s of 200: the bar steps before the second does.
    EXPECT_EQ(
        player::MsUntilDisplayChange(135 * kBytesPerSecond, 200 * kBytesPerSecond, 200, kBytesPerSecond),
        159);
    EXPECT_EQ(player::MsUntilDisplayChange(500, 999, 10, kBytesPerSecond), -1);        // no length
    EXPECT_EQ(player::MsUntilDisplayChange(0, kLength, 30, 0), -1);                    // no rate
    EXPECT_EQ(player::MsUntilDisplayChange(kLength, kLength, 0, kBytesPerSecond), -1); // at the end
}

TEST_F(PlayerTest, StartsWithItsWindowAndTheDefaultDevice)
{
    EXPECT_EQ(form->size(), QSize(275, 116));
    EXPECT_TRUE(state.PlayerCreated);
    EXPECT_EQ(state.AppDir, dir.path() + "/");
    EXPECT_TRUE(form->TimerRinfresco.isActive());
    EXPECT_EQ(form->TimerRinfresco.interval(), 10);
    settings.SetPosition("RinfrescoTrack", 40);
    EXPECT_EQ(form->TimerRinfresco.interval(), 40);
    SecondPhase();
    EXPECT_EQ(audio.initDevice, -1);
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(form->findChild<QObject*>("PositionChangeImage")->property("geometry").toRect(),
              QRect(16, 72, 249, 9));
}

TEST_F(PlayerTest, RefreshTickShowsTimePositionAndMeters)
{
    FakeAudio::Stream& s = Playing(200 * 176400, 200);
    s.position = 135 * 176400; // 135 s of 200
    s.level = 128 | 60 << 16;
    settings.SetChecked("VUMeterCheck", true);
    ASSERT_FALSE(settings.Checked("CountDownCheck"));
    form->TimerRinfrescoTimer();
    skin::TWinampSkin& skin = *form->MainPlayerSkin;
    EXPECT_EQ(skin.Status(), skin::ssPlay);
    EXPECT_EQ(skin.Progress(), "02 15");
    EXPECT_EQ(skin.PositionBar(), 135 * 256 / 200);
    EXPECT_EQ(skin.LeftMeter(), 49); // capped
    EXPECT_EQ(skin.RightMeter(), 30);
    form->DisplayImageClick();
    form->TimerRinfrescoTimer();
    EXPECT_EQ(skin.Progress(), "01 05"); // counting down
    form->DisplayImageClick();
    EXPECT_FALSE(settings.Checked("CountDownCheck"));

    form->MainPlayerSkinPauseClick();
    form->TimerRinfrescoTimer();
    EXPECT_EQ(skin.Status(), skin::ssPause);
    EXPECT_EQ(skin.Progress(), "01 05"); // the time stays as it was
    EXPECT_EQ(skin.LeftMeter(), 0);
    form->MainPlayerSkinStopClick();
    form->TimerRinfrescoTimer();
    EXPECT_EQ(skin.Status(), skin::ssStop);
    EXPECT_EQ(s.position, 0u);
    EXPECT_EQ(skin.Progress(), "");
    EXPECT_EQ(state.PlayStatus, 2);
}

TEST_F(PlayerTest, EndOfTrackStopsOrAdvancesWithRepeat)
{
    state.Playlist.AddFile(Fixture("sine1k-v1-44100-cbr256.mp3"));
    FakeAudio::Stream& s = Playing(100 * 176400, 100);
    s.position = 94 * 176400; // 6 s left: still playing
    form->TimerRinfrescoTimer();
    EXPECT_EQ(state.PlayStatus, 1);
    s.position = 95 * 176400; // 5 s left: the crossfade lead
    form->TimerRinfrescoTimer();
    EXPECT_EQ(state.PlayStatus, 2);
    EXPECT_EQ(form->MainPlayerSkin->Status(), skin::ssPlay); // shown stopped from the next tick
    const audio::Handle old = state.CurrentStream;

    // With repeat and one entry the same entry opens and plays again.
    form->MainPlayerSkin->RepeatOn = true;
    form->MainPlayerSkinPlayClick();
    form->TimerRinfrescoTimer();
    EXPECT_NE(state.CurrentStream, old);
    EXPECT_EQ(state.FadingStream, old);
    EXPECT_EQ(state.CurrentIndex, 0);
    EXPECT_EQ(state.PlayStatus, 1);
}

TEST_F(PlayerTest, PlayWithoutAStreamOpensTheCurrentEntry)
{
    state.Playlist.AddFile(Fixture("sine1k-v1-44100-cbr256.mp3"));
    state.Playlist.AddFile(Fixture("sine1k-v2-22050-cbr128.mp3"));
    state.CurrentIndex = 7; // beyond the list: kept within it
    form->MainPlayerSkinPlayClick();
    ASSERT_NE(state.CurrentStream, 0u);
    EXPECT_EQ(state.CurrentIndex, 1);
    EXPECT_EQ(audio.Find(state.CurrentStream)->source, Fixture("sine1k-v2-22050-cbr128.mp3").toStdString());
    EXPECT_TRUE(audio.Find(state.CurrentStream)->playing);
    // With a stream open, play plays it.
    const audio::Handle current = state.CurrentStream;
    form->MainPlayerSkinPauseClick();
    form->MainPlayerSkinPlayClick();
    EXPECT_EQ(state.CurrentStream, current);
    EXPECT_EQ(state.PlayStatus, 1);
}

TEST_F(PlayerTest, NextAndPreviousWrapAround)
{
    for (const char* name :
         {"sine1k-v1-44100-cbr256.mp3", "sine1k-v2-22050-cbr128.mp3", "sine1k-l2-48000.mp2"})
        state.Playlist.AddFile(Fixture(name));
    state.CurrentIndex = 2;
    form->MainPlayerSkinForwardClick();
    EXPECT_EQ(state.CurrentIndex, 0);
    EXPECT_EQ(state.CurrentFileName, Fixture("sine1k-v1-44100-cbr256.mp3"));
    EXPECT_TRUE(audio.Find(state.CurrentStream)->playing);
    form->MainPlayerSkinBackClick();
    EXPECT_EQ(state.CurrentIndex, 2);
    form->MainPlayerSkinBackClick();
    EXPECT_EQ(state.CurrentIndex, 1);

    // Shuffle can reach every entry, the last one included.
    form->MainPlayerSkin->ShuffleOn = true;
    std::set<int> drawn;
    for (int i = 0; i < 200; ++i) {
        form->MainPlayerSkinForwardClick();
        drawn.insert(state.CurrentIndex);
    }
    EXPECT_EQ(drawn, (std::set<int>{0, 1, 2}));

    state.Playlist.Clear();
    const auto calls = audio.calls.size();
    form->MainPlayerSkinForwardClick();
    form->MainPlayerSkinBackClick();
    EXPECT_EQ(audio.calls.size(), calls);
}

TEST_F(PlayerTest, SeekingAndFiveSecondJumps)
{
    FakeAudio::Stream& s = Playing(100 * 176400, 100);
    form->PositionChangeImageMouseUp(Qt::LeftButton, 0);
    EXPECT_EQ(s.position, 0u);
    form->PositionChangeImageMouseUp(Qt::LeftButton, 248);
    EXPECT_EQ(s.position, std::uint32_t(100.0 * 176400 * 248 / 249));
    s.position = 12345;
    form->PositionChangeImageMouseUp(Qt::RightButton, 100);
    EXPECT_EQ(s.position, 12345u); // the right button is the menu's

    s.position = 3 * 176400;
    form->Indietrodi5sec1Click();
    EXPECT_EQ(s.position, 0u); // within the first five seconds: the start
    s.position = 50 * 176400;
    form->Avantidi5sec1Click();
    EXPECT_NEAR(double(s.position), 55.0 * 176400, 1000);
    form->Indietrodi5sec1Click();
    EXPECT_NEAR(double(s.position), 50.0 * 176400, 1000);
    s.position = 97 * 176400;
    form->Avantidi5sec1Click();
    EXPECT_EQ(s.position, 97u * 176400); // no jump past the end
    state.TrackSeconds = 0;
    form->Avantidi5sec1Click(); // no duration: nothing, and no crash
    EXPECT_EQ(s.position, 97u * 176400);
}

TEST_F(PlayerTest, OpeningAnAudioFileAndAPlaylistTogether)
{
    const QString list = dir.filePath("lista.m3u");
    QFile m3u(list);
    ASSERT_TRUE(m3u.open(QIODevice::WriteOnly));
    m3u.write(
        (Fixture("sine1k-v2-22050-cbr128.mp3") + "\n" + Fixture("sine1k-l2-48000.mp2") + "\n").toUtf8());
    m3u.close();
    state.Playlist.AddFile(Fixture("sine1k-v1-44100-cbr256.mp3"));
    form->OpenDialog = [&] { return QStringList{Fixture("sine1k-v1-44100-cbr256.mp3"), list}; };
    form->MainPlayerSkinEjectClick();
    ASSERT_EQ(state.Playlist.Count(), 4); // appended even when already there
    EXPECT_EQ(state.Playlist.Items(1).GetFileName(), Fixture("sine1k-v1-44100-cbr256.mp3"));
    EXPECT_EQ(state.Playlist.Items(2).GetFileName(), Fixture("sine1k-v2-22050-cbr128.mp3"));
    EXPECT_EQ(state.CurrentFileName, Fixture("sine1k-v1-44100-cbr256.mp3"));
    EXPECT_TRUE(audio.Find(state.CurrentStream)->playing); // autoplay
    EXPECT_EQ(state.CurrentIndex, 0);
    form->OpenDialog = [] { return QStringList{}; };
    form->MainPlayerSkinEjectClick(); // cancelled: nothing
    EXPECT_EQ(state.Playlist.Count(), 4);
}

TEST_F(PlayerTest, CommandLineOpensAudioAddsListsAndIgnoresOthers)
{
    const QString pls = dir.filePath("radio.pls");
    QFile file(pls);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(("[playlist]\nFile1=" + Fixture("sine1k-l2-48000.mp2") + "\nNumberOfEntries=1\n").toUtf8());
    file.close();
    form->OpenCommandLine("\"/usr/bin/velmoro\" \"" + pls + "\"");
    EXPECT_EQ(state.Playlist.Count(), 1);
    EXPECT_EQ(state.CurrentStream, 0u);
    form->OpenCommandLine("\"/usr/bin/velmoro\" \"" + Fixture("sine1k-v1-44100-cbr256.mp3") + "\"");
    EXPECT_EQ(state.Playlist.Count(), 2);
    EXPECT_EQ(state.CurrentFileName, Fixture("sine1k-v1-44100-cbr256.mp3"));
    ASSERT_NE(state.CurrentStream, 0u);
    EXPECT_TRUE(audio.Find(state.CurrentStream)->playing);
    const QString note = dir.filePath("note.txt");
    QFile(note).open(QIODevice::WriteOnly);
    const audio::Handle current = state.CurrentStream;
    form->OpenCommandLine("\"/usr/bin/velmoro\" \"" + note + "\"");
    form->OpenCommandLine("/usr/bin/velmoro " + Fixture("sine1k-v2-22050-cbr128.mp3")); // no quotes
    form->OpenCommandLine("\"/usr/bin/velmoro\" \"" + dir.filePath("missing.mp3") + "\"");
    EXPECT_EQ(state.Playlist.Count(), 2);
    EXPECT_EQ(state.CurrentStream, current);
}

TEST_F(PlayerTest, BookmarksAndPlaylistComeBackAfterClosing)
{
    // LF-only bookmarks are read line by line and written back with CR LF.
    QFile marks(dir.filePath("BookMarks.txt"));
    ASSERT_TRUE(marks.open(QIODevice::WriteOnly));
    marks.write("http://radio.example/uno\nftp://files.example/due.mp3\n");
    marks.close();
    QFile list(dir.filePath("default.m3u"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write((Fixture("sine1k-v1-44100-cbr256.mp3") + "\n").toUtf8());
    list.close();
    SecondPhase();
    EXPECT_EQ(settings.Lines("BookmarksListBox"),
              (QStringList{"http://radio.example/uno", "ftp://files.example/due.mp3"}));
    ASSERT_EQ(state.Playlist.Count(), 1);

    state.Playlist.AddFile(Fixture("sine1k-v2-22050-cbr128.mp3"));
    form->MainPlayerSkinPlayClick();
    form->close();
    EXPECT_EQ(state.PlayStatus, 2); // playback stopped
    EXPECT_EQ(ReadAll(dir.filePath("BookMarks.txt")),
              "http://radio.example/uno\r\nftp://files.example/due.mp3\r\n");
    const QByteArray saved = ReadAll(dir.filePath("default.m3u"));
    EXPECT_TRUE(saved.contains(Fixture("sine1k-v2-22050-cbr128.mp3").toUtf8() + "\r\n"));
    EXPECT_TRUE(settings.Checked("VUMeterCheck"));
}

TEST_F(PlayerTest, AnEmptyPlaylistLeavesThePreviousDefaultList)
{
    QFile list(dir.filePath("default.m3u"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("#EXTM3U\r\nsomething.mp3\r\n");
    list.close();
    form->close();
    EXPECT_EQ(ReadAll(dir.filePath("default.m3u")), "#EXTM3U\r\nsomething.mp3\r\n");
}

TEST_F(PlayerTest, FirstRunPlaysTheDemoWithRepeatOn)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("Demo"));
    ASSERT_TRUE(QFile::copy(Fixture("tone440-8s.mp3"), dir.filePath("Demo/uno.mp3")));
    ASSERT_TRUE(QFile::copy(Fixture("tone880-8s.mp3"), dir.filePath("Demo/due.mp3")));
    QFile demo(dir.filePath("Demo/demo.m3u"));
    ASSERT_TRUE(demo.open(QIODevice::WriteOnly));
    demo.write("uno.mp3\r\ndue.mp3\r\n");
    demo.close();

    // A file named on the command line is what plays; the demo waits in the list.
    SecondPhase("\"velmoro\" \"" + Fixture("sine1k-v1-44100-cbr256.mp3") + "\"");
    EXPECT_EQ(state.Playlist.Count(), 3);
    EXPECT_EQ(state.CurrentFileName, Fixture("sine1k-v1-44100-cbr256.mp3"));
    EXPECT_FALSE(form->MainPlayerSkin->RepeatOn);

    state.Playlist.Clear();
    audio.streams.clear();
    state.CurrentStream = 0;
    SecondPhase("\"velmoro\"");
    ASSERT_EQ(state.Playlist.Count(), 2);
    EXPECT_EQ(state.CurrentFileName, dir.filePath("Demo/uno.mp3"));
    ASSERT_NE(state.CurrentStream, 0u);
    EXPECT_TRUE(audio.Find(state.CurrentStream)->playing);
    EXPECT_TRUE(form->MainPlayerSkin->RepeatOn);

    // Once default.m3u exists, even empty, the demo stays out.
    QFile(dir.filePath("default.m3u")).open(QIODevice::WriteOnly);
    state.Playlist.Clear();
    state.CurrentStream = 0;
    SecondPhase();
    EXPECT_EQ(state.Playlist.Count(), 0);
    EXPECT_EQ(state.CurrentStream, 0u);
}

TEST_F(PlayerTest, VolumeBalanceAndShade)
{
    Playing(1000 * 176400, 1000);
    form->MainPlayerSkinVolumeChange(37);
    EXPECT_EQ(audio.globalStream, 37);
    EXPECT_EQ(audio.outputVolume, 37);
    form->MainPlayerSkinBalanceChange(0);
    EXPECT_EQ(audio.Find(state.CurrentStream)->pan, 100);
    form->MainPlayerSkinBalanceChange(100);
    EXPECT_EQ(audio.Find(state.CurrentStream)->pan, -100);
    form->MainPlayerSkinSticky(true);
    EXPECT_EQ(form->height(), 14);
    EXPECT_EQ(form->MoveFormImage->width(), 145);
    form->MainPlayerSkinSticky(false);
    EXPECT_EQ(form->height(), 116);
    EXPECT_EQ(form->MoveFormImage->width(), 225);
}

TEST_F(PlayerTest, KeyCommandsByScanCode)
{
    for (const char* name : {"sine1k-v1-44100-cbr256.mp3", "sine1k-v2-22050-cbr128.mp3"})
        state.Playlist.AddFile(Fixture(name));
    form->PlayerCommand(45); // X: play
    ASSERT_NE(state.CurrentStream, 0u);
    EXPECT_EQ(state.PlayStatus, 1);
    form->PlayerCommand(46); // C: pause
    EXPECT_EQ(state.PlayStatus, 3);
    form->PlayerCommand(47); // V: stop
    EXPECT_EQ(state.PlayStatus, 2);
    form->PlayerCommand(48); // B: next
    EXPECT_EQ(state.CurrentIndex, 1);
    form->PlayerCommand(44); // Z: previous
    EXPECT_EQ(state.CurrentIndex, 0);
    form->PlayerCommand(19); // R: repeat
    EXPECT_TRUE(form->MainPlayerSkin->RepeatOn);
    EXPECT_TRUE(form->MainPlayerSkin->Checked() & skin::ckRepeat);
    form->PlayerCommand(31); // S: shuffle
    EXPECT_TRUE(form->MainPlayerSkin->ShuffleOn);
    form->PlayerCommand(19);
    EXPECT_FALSE(form->MainPlayerSkin->Checked() & skin::ckRepeat);
    EXPECT_TRUE(form->MainPlayerSkin->Checked() & skin::ckShuffle);
    form->PlayerCommand(23); // I: countdown
    EXPECT_TRUE(settings.Checked("CountDownCheck"));

    // Volume keys stop at the ends of the range.
    form->MainPlayerSkin->SetVolume(98);
    form->PlayerCommand(72);
    EXPECT_EQ(form->MainPlayerSkin->Volume(), 100);
    EXPECT_EQ(audio.outputVolume, 100);
    form->MainPlayerSkin->SetVolume(3);
    form->PlayerCommand(80);
    EXPECT_EQ(form->MainPlayerSkin->Volume(), 0);
    EXPECT_EQ(audio.globalStream, 0);
    const auto calls = audio.calls.size();
    form->PlayerCommand(99); // no command
    EXPECT_EQ(audio.calls.size(), calls);
}

// Stopped or paused, the tick sleeps once the display shows so, and anything
// that can change the display wakes it: play, pause, stop, and user input.
TEST_F(PlayerTest, RefreshTickSleepsOnAStillDisplay)
{
    form->show();
    EXPECT_TRUE(form->TimerRinfresco.isActive());
    form->TimerRinfrescoTimer(); // the window starts with the stopped display
    EXPECT_FALSE(form->TimerRinfresco.isActive());

    FakeAudio::Stream& s = Playing(200 * 176400, 200);
    EXPECT_TRUE(form->TimerRinfresco.isActive());
    s.position = 20 * 176400;
    form->TimerRinfrescoTimer();
    form->TimerRinfrescoTimer();
    EXPECT_TRUE(form->TimerRinfresco.isActive());
    EXPECT_EQ(form->MainPlayerSkin->Progress(), "00 20");

    // Stopped: the first tick clears the display, the next finds it still.
    form->MainPlayerSkinStopClick();
    form->TimerRinfrescoTimer();
    EXPECT_TRUE(form->TimerRinfresco.isActive());
    EXPECT_EQ(form->MainPlayerSkin->Progress(), "");
    form->TimerRinfrescoTimer();
    EXPECT_FALSE(form->TimerRinfresco.isActive());

    form->MainPlayerSkinPauseClick();
    EXPECT_TRUE(form->TimerRinfresco.isActive());
    form->TimerRinfrescoTimer();
    EXPECT_EQ(form->MainPlayerSkin->Status(), skin::ssPause);
    form->TimerRinfrescoTimer();
    EXPECT_FALSE(form->TimerRinfresco.isActive());

    // A position bar dragged while stopped is put back by the woken tick.
    form->MainPlayerSkinStopClick();
    form->TimerRinfrescoTimer();
    form->TimerRinfrescoTimer();
    ASSERT_FALSE(form->TimerRinfresco.isActive());
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(100, 76), QPointF(100, 76), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form->windowHandle(), &press);
    EXPECT_TRUE(form->TimerRinfresco.isActive());
    form->MainPlayerSkin->SetPositionBar(120);
    form->TimerRinfrescoTimer();
    EXPECT_EQ(form->MainPlayerSkin->PositionBar(), 0);

    form->close();
    form->MainPlayerSkinPauseClick();
    EXPECT_FALSE(form->TimerRinfresco.isActive()); // closed: nothing wakes it
}

TEST_F(PlayerTest, PlayingTickWaitsForTheNextChangeUnlessMetersMove)
{
    FakeAudio::Stream& s = Playing(200 * 176400, 200);
    s.frequency = 44100;
    s.position = 135 * 176400;
    form->TimerRinfrescoTimer();
    EXPECT_EQ(form->TimerRinfresco.interval(), 160); // the position bar's next step
    s.position = 135 * 176400 + 27000;               // 6 ms before the bar steps
    form->TimerRinfrescoTimer();
    EXPECT_EQ(form->TimerRinfresco.interval(), 10); // due sooner than the interval
    settings.SetChecked("VUMeterCheck", true);
    s.position = 135 * 176400;
    form->TimerRinfrescoTimer();
    EXPECT_EQ(form->TimerRinfresco.interval(), 10);
    settings.SetChecked("VUMeterCheck", false);
    form->TimerRinfrescoTimer();
    ASSERT_EQ(form->TimerRinfresco.interval(), 160);
    form->MainPlayerSkinPauseClick(); // any command brings the interval back
    EXPECT_EQ(form->TimerRinfresco.interval(), 10);
    EXPECT_TRUE(form->TimerRinfresco.isActive());
}

TEST_F(PlayerTest, KeysReachTheCommandsOnlyWhileHotKeysAreOn)
{
    form->show();
    ASSERT_TRUE(form->windowHandle());
    const auto press = [&](Qt::Key key, quint32 nativeScanCode) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, nativeScanCode, 0, 0);
        QCoreApplication::sendEvent(form->windowHandle(), &event);
    };
    // On X11 the native code is the Linux key code + 8: R is 19 + 8 whatever
    // letter the layout puts there.
    press(Qt::Key_Q, 19 + 8);
    EXPECT_TRUE(form->MainPlayerSkin->RepeatOn);
    press(Qt::Key_R, 0); // a synthetic event: the key's US position
    EXPECT_FALSE(form->MainPlayerSkin->RepeatOn);
    form->MainPlayerSkin->SetVolume(50);
    press(Qt::Key_Up, 103 + 8);
    EXPECT_EQ(form->MainPlayerSkin->Volume(), 55);
    state.HotKeysEnabled = false;
    press(Qt::Key_R, 19 + 8);
    press(Qt::Key_Down, 108 + 8);
    EXPECT_FALSE(form->MainPlayerSkin->RepeatOn);
    EXPECT_EQ(form->MainPlayerSkin->Volume(), 55);
}

TEST_F(PlayerTest, MenusReachTheCommands)
{
    const auto trigger = [&](const char* name) {
        QAction* action = form->findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
    };
    for (const char* name : {"sine1k-v1-44100-cbr256.mp3", "sine1k-v2-22050-cbr128.mp3"})
        state.Playlist.AddFile(Fixture(name));
    trigger("Play2");
    EXPECT_EQ(state.PlayStatus, 1);
    trigger("Prossima1");
    EXPECT_EQ(state.CurrentIndex, 1);
    trigger("Puuse1");
    EXPECT_EQ(state.PlayStatus, 3);
    trigger("Repeat1");
    EXPECT_TRUE(form->MainPlayerSkin->RepeatOn);
    trigger("Contoallarovescia1");
    EXPECT_TRUE(settings.Checked("CountDownCheck"));
    trigger("AggiungiCorrente1");
    EXPECT_EQ(settings.Lines("BookmarksListBox"), QStringList{Fixture("sine1k-v2-22050-cbr128.mp3")});
    trigger("Sempreinprimopiano1");
    EXPECT_TRUE(form->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(form->findChild<QAction*>("Sempreinprimopiano1")->isChecked());
    trigger("Sempreinprimopiano1");
    EXPECT_FALSE(form->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(form->findChild<QAction*>("ApriFile1")->text().endsWith("\tA"));
    EXPECT_NE(form->findChild<QMenu*>("CanzoniMenu"), nullptr);
}

TEST(Docking, SnapsToTheScreenEdgesWithinTheDistance)
{
    using player::SnapWindowToScreen;
    const QSize window(275, 116);
    const QSize screen(1280, 1024);
    const player::SnapRule on{true, 20};
    const QPoint grab(-10, -5);
    // The cursor puts the window's left edge 19 or 20 pixels from the left.
    EXPECT_EQ(SnapWindowToScreen({29, 505}, grab, window, screen, on), QPoint(0, 500));
    EXPECT_EQ(SnapWindowToScreen({30, 505}, grab, window, screen, on), QPoint(20, 500));
    EXPECT_EQ(SnapWindowToScreen({5, 3}, grab, window, screen, on), QPoint(-5, -2)); // partly off: no snap
    EXPECT_EQ(SnapWindowToScreen({10 + 1280 - 275 - 19, 5 + 1024 - 116 - 5}, grab, window, screen, on),
              QPoint(1280 - 275, 1024 - 116));
    EXPECT_EQ(SnapWindowToScreen({10 + 1280 - 275, 505}, grab, window, screen, on),
              QPoint(1280 - 275, 500)); // gap 0
    const player::SnapRule off{false, 20};
    EXPECT_EQ(SnapWindowToScreen({29, 505}, grab, window, screen, off), QPoint(19, 500));
    // A window wider than the snap band on a tiny screen: the right edge wins over the left.
    EXPECT_EQ(SnapWindowToScreen({15, 505}, grab, QSize(290, 116), QSize(300, 600), on), QPoint(10, 500));
}
