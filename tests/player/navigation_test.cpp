// The navigation controller over a recording audio library: next and
// previous, opening files and the command line, seeking and the jumps.
#include "player/controllers.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <set>

using namespace velmoro;
using test::FakeAudio;
using test::Fixture;

namespace {

class NavigationTest : public testing::Test, protected test::Controllers {
protected:
    QTemporaryDir dir;
};

} // namespace

TEST_F(NavigationTest, NextAndPreviousWrapAround)
{
    for (const char* name :
         {"sine1k-v1-44100-cbr256.mp3", "sine1k-v2-22050-cbr128.mp3", "sine1k-l2-48000.mp2"})
        tracks.Playlist.AddFile(Fixture(name));
    tracks.CurrentIndex = 2;
    navigation.Next();
    EXPECT_EQ(tracks.CurrentIndex, 0);
    EXPECT_EQ(playback.CurrentFileName, Fixture("sine1k-v1-44100-cbr256.mp3"));
    EXPECT_TRUE(audio.Find(playback.CurrentStream)->playing);
    navigation.Previous();
    EXPECT_EQ(tracks.CurrentIndex, 2);
    navigation.Previous();
    EXPECT_EQ(tracks.CurrentIndex, 1);
    // The list shrank behind the current entry: previous goes to the last.
    tracks.CurrentIndex = 7;
    navigation.Previous();
    EXPECT_EQ(tracks.CurrentIndex, 2);
    EXPECT_EQ(playback.CurrentFileName, Fixture("sine1k-l2-48000.mp2"));

    // Shuffle can reach every entry, the last one included.
    skin.shuffle = true;
    std::set<int> drawn;
    for (int i = 0; i < 200; ++i) {
        navigation.Next();
        drawn.insert(tracks.CurrentIndex);
    }
    EXPECT_EQ(drawn, (std::set<int>{0, 1, 2}));

    tracks.Playlist.Clear();
    const auto calls = audio.calls.size();
    navigation.Next();
    navigation.Previous();
    EXPECT_EQ(audio.calls.size(), calls);
}

TEST_F(NavigationTest, AnIndexOutsideTheListIsABrokenCaller)
{
    tracks.Playlist.AddFile(Fixture("sine1k-v1-44100-cbr256.mp3"));
    tracks.CurrentIndex = 3;
    EXPECT_DEBUG_DEATH(navigation.OpenAndPlayCurrentEntry(), "CurrentIndex");
}

TEST_F(NavigationTest, SeekingAndFiveSecondJumps)
{
    FakeAudio::Stream& s = Playing(100 * 176400, 100);
    navigation.SeekTo(0, 249);
    EXPECT_EQ(s.position, 0u);
    navigation.SeekTo(248, 249);
    EXPECT_EQ(s.position, std::uint32_t(100.0 * 176400 * 248 / 249));
    navigation.SeekTo(-40, 249); // let go left of the bar
    EXPECT_EQ(s.position, 0u);
    navigation.SeekTo(300, 249);
    EXPECT_EQ(s.position, 100u * 176400);

    s.position = 3 * 176400;
    navigation.BackFiveSeconds();
    EXPECT_EQ(s.position, 0u); // within the first five seconds: the start
    s.position = 50 * 176400;
    navigation.ForwardFiveSeconds();
    EXPECT_NEAR(double(s.position), 55.0 * 176400, 1000);
    navigation.BackFiveSeconds();
    EXPECT_NEAR(double(s.position), 50.0 * 176400, 1000);
    s.position = 97 * 176400;
    navigation.ForwardFiveSeconds();
    EXPECT_EQ(s.position, 97u * 176400); // no jump past the end
    playback.TrackSeconds = 0;
    navigation.ForwardFiveSeconds(); // no duration: nothing, and no crash
    EXPECT_EQ(s.position, 97u * 176400);
}

TEST_F(NavigationTest, OpeningAnAudioFileAndAPlaylistTogether)
{
    const QString list = dir.filePath("lista.m3u");
    QFile m3u(list);
    ASSERT_TRUE(m3u.open(QIODevice::WriteOnly));
    m3u.write(
        (Fixture("sine1k-v2-22050-cbr128.mp3") + "\n" + Fixture("sine1k-l2-48000.mp2") + "\n").toUtf8());
    m3u.close();
    tracks.Playlist.AddFile(Fixture("sine1k-v1-44100-cbr256.mp3"));
    window.chosen = QStringList{Fixture("sine1k-v1-44100-cbr256.mp3"), list};
    command.OpenFiles();
    ASSERT_EQ(tracks.Playlist.Count(), 4); // appended even when already there
    EXPECT_EQ(tracks.Playlist.Items(1).GetFileName(), Fixture("sine1k-v1-44100-cbr256.mp3"));
    EXPECT_EQ(tracks.Playlist.Items(2).GetFileName(), Fixture("sine1k-v2-22050-cbr128.mp3"));
    EXPECT_EQ(playback.CurrentFileName, Fixture("sine1k-v1-44100-cbr256.mp3"));
    EXPECT_TRUE(audio.Find(playback.CurrentStream)->playing); // autoplay
    EXPECT_EQ(tracks.CurrentIndex, 0);
    window.chosen.clear();
    command.OpenFiles(); // cancelled: nothing
    EXPECT_EQ(tracks.Playlist.Count(), 4);
}

TEST_F(NavigationTest, CommandLineOpensAudioAddsListsAndIgnoresOthers)
{
    const QString pls = dir.filePath("radio.pls");
    QFile file(pls);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(("[playlist]\nFile1=" + Fixture("sine1k-l2-48000.mp2") + "\nNumberOfEntries=1\n").toUtf8());
    file.close();
    navigation.OpenCommandLine("\"/usr/bin/velmoro\" \"" + pls + "\"");
    EXPECT_EQ(tracks.Playlist.Count(), 1);
    EXPECT_EQ(playback.CurrentStream, 0u);
    navigation.OpenCommandLine("\"/usr/bin/velmoro\" \"" + Fixture("sine1k-v1-44100-cbr256.mp3") + "\"");
    EXPECT_EQ(tracks.Playlist.Count(), 2);
    EXPECT_EQ(playback.CurrentFileName, Fixture("sine1k-v1-44100-cbr256.mp3"));
    ASSERT_NE(playback.CurrentStream, 0u);
    EXPECT_TRUE(audio.Find(playback.CurrentStream)->playing);
    const QString note = dir.filePath("note.txt");
    QFile(note).open(QIODevice::WriteOnly);
    const audio::Handle current = playback.CurrentStream;
    navigation.OpenCommandLine("\"/usr/bin/velmoro\" \"" + note + "\"");
    navigation.OpenCommandLine("/usr/bin/velmoro " + Fixture("sine1k-v2-22050-cbr128.mp3")); // no quotes
    navigation.OpenCommandLine("\"/usr/bin/velmoro\" \"" + dir.filePath("missing.mp3") + "\"");
    EXPECT_EQ(tracks.Playlist.Count(), 2);
    EXPECT_EQ(playback.CurrentStream, current);
}

// A radio's entry plays as a network stream, whichever way it is reached;
// with its protocol turned off in the settings nothing changes.
TEST_F(NavigationTest, AddressEntriesOpenAsNetworkStreamsAndPlay)
{
    const QString radio = QStringLiteral("http://radio.example.com:8000/live");
    const QString ftp = QStringLiteral("ftp://files.example.com/song.mp3");
    const struct {
        const char* how;
        std::function<void()> open;
        QString expected;
        bool playing;
    } ways[] = {
        {"next", [&] { tracks.CurrentIndex = 0, navigation.Next(); }, ftp, true},
        {"playlist row", [&] { tracks.CurrentIndex = 0, navigation.OpenAndPlayCurrentEntry(); }, radio, true},
        {"play", [&] { playback.CurrentStream = 0, tracks.CurrentIndex = 1, command.Play(); }, ftp, true},
        {"command line", [&] { navigation.OpenCommandLine("\"/usr/bin/velmoro\" \"" + radio + "\""); }, radio,
         true},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.how);
        tracks.Playlist.Clear();
        tracks.Playlist.AddFile(radio);
        tracks.Playlist.AddFile(ftp);
        way.open();
        ASSERT_NE(playback.CurrentStream, 0u);
        EXPECT_EQ(audio.Find(playback.CurrentStream)->source, way.expected.toStdString());
        EXPECT_EQ(audio.Find(playback.CurrentStream)->playing, way.playing);
        EXPECT_EQ(playback.CurrentFileName, way.expected);
        EXPECT_EQ(playback.PlayStatus, app::PlayStatusValue::Playing);
        EXPECT_EQ(commands.nextCalls, 0); // not taken for a missing file
    }
    EXPECT_EQ(tracks.Playlist.Count(), 3); // the command line's address was added

    settings.SetChecked(QStringLiteral("FTPCheck"), false);
    const audio::Handle current = playback.CurrentStream;
    tracks.CurrentIndex = 1;
    navigation.OpenAndPlayCurrentEntry();
    EXPECT_EQ(playback.CurrentStream, current);

    // Another protocol is no stream the player can open: a missing file.
    tracks.Playlist.AddFile(QStringLiteral("mms://radio.example.com/live"));
    tracks.CurrentIndex = tracks.Playlist.Count() - 1;
    audio.calls.clear();
    navigation.OpenAndPlayCurrentEntry();
    for (const std::string& call : audio.calls)
        EXPECT_EQ(call.find("StreamCreateURL"), std::string::npos) << call;
}
