// Internet radio against loopback servers, through the real audio library:
// a station's song titles reach the main window's title as its audio is
// heard, and a .pls of two addresses plays each of them.
#include "app/engine.h"
#include "app/enginefakes.h"
#include "app/streamtitle.h"
#include "app/playerstate.h"
#include "audio/audiotest.h"
#include "player/navigation.h"
#include "player/playerdisplay.h"
#include "playlist/playlistview.h"
#include "settings/settings.h"
#include "support/netservers.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <chrono>

using namespace velmoro;
using test::NetServers;

namespace {

struct TitleLog : test::RecordingDisplay {
    QStringList titles; // each change, in order
    void SetTitle(const QString& t) override
    {
        if (titles.isEmpty() || titles.back() != t)
            titles << t;
    }
};

struct NoShuffle : player::SkinControls {
    bool ShuffleOn() const override { return false; }
    bool RepeatOn() const override { return false; }
    void SetShuffle(bool) override {}
    void SetRepeat(bool) override {}
    int Volume() const override { return 80; }
    void SetVolume(int) override {}
};

class Radio : public testing::Test {
protected:
    Radio() { state.Dirs.AppDir = dir.path() + u'/'; }

    QString Http(const char* path) const { return QString::fromStdString(NetServers::Http(path)); }

    // Renders as a device would, with the refresh tick's look at the
    // library after each step, until the stream ends or heard reaches
    // seconds; what was heard, in seconds.
    double Play(double seconds)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        const audio::Handle s = state.Playback.CurrentStream;
        while (m.lib->ChannelIsActive(s) && m.lib->ChannelGetPosition(s) < seconds * 44100 * 4 &&
               std::chrono::steady_clock::now() < deadline) {
            m.Render(441);
            engine.PickUpLateFormat();
        }
        return m.lib->ChannelGetPosition(s) / (44100.0 * 4);
    }

    QTemporaryDir dir;
    test::ManualLibrary m;
    app::PlayerState state;
    settings::Settings settings;
    TitleLog display;
    test::RecordingCommands commands;
    app::PlaybackEngine engine{state.Playback, state.Tracks, state.Dirs, settings, *m.lib, display, commands};
};

} // namespace

TEST_F(Radio, SongTitlesBecomeTheScrollingTitleAsTheyAreHeard)
{
    QSignalSpy changes(&engine, &app::PlaybackEngine::StreamTitleChanged);
    const QString address = Http("/icy-titles");
    ASSERT_TRUE(engine.OpenStream(address));
    engine.PlayCurrentStream();
    EXPECT_GT(Play(10), 2.5);
    const QString station = QStringLiteral("Velmoro test - ");
    EXPECT_EQ(display.titles,
              (QStringList{
                  address.toUpper(),
                  station + "Primo brano",
                  station + QString::fromUtf8("Città più bella – ŝ"),
                  station + QString::fromUtf8("Caffè Ñandú"),
                  station + "Evil [2J " + QString(app::kMaxStationTextChars - 12, u'A') + "...",
              }));
    ASSERT_EQ(changes.size(), 4);
    EXPECT_EQ(changes.back().at(0).toString(), address);
    EXPECT_EQ(changes.back().at(1).toString(), display.titles.back());
}

TEST_F(Radio, AListOfTwoAddressesPlaysEach)
{
    const QString pls = dir.filePath("radio.pls");
    QFile file(pls);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(("[playlist]\r\nNumberOfEntries=2\r\nFile1=" + Http("/nolength.mp3") +
                "\r\nFile2=" + Http("/icy") + "\r\n")
                   .toUtf8());
    file.close();
    playlist::TMPEGAudioList& list = state.Tracks.Playlist;
    list.LoadPLS(pls);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(playlist::RowText(list, 0, true), "1." + Http("/nolength.mp3"));
    EXPECT_EQ(playlist::RowText(list, 1, false, {{Http("/icy"), "Velmoro test - Song 0"}}),
              "Velmoro test - Song 0");

    NoShuffle skin;
    player::NavigationController navigation{state.Playback, state.Tracks, settings, *m.lib, engine, skin};
    state.Tracks.CurrentIndex = 0;
    navigation.OpenAndPlayCurrentEntry();
    EXPECT_EQ(state.Playback.CurrentFileName, Http("/nolength.mp3"));
    EXPECT_GT(Play(1), 0.9);
    EXPECT_EQ(commands.nextCalls, 0); // not taken for a missing file
    navigation.Next();
    EXPECT_EQ(state.Playback.CurrentFileName, Http("/icy"));
    EXPECT_GT(Play(1), 0.9);
    EXPECT_TRUE(display.titles.back().startsWith("Velmoro test - Song "))
        << display.titles.back().toStdString();
}
