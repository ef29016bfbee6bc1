#pragma once
// The player's controllers over plain fakes of the skin and the window, wired
// as the player window wires them, and the fixture paths they play.
#include "app/engine.h"
#include "app/enginefakes.h"
#include "app/playerstate.h"
#include "player/commands.h"
#include "player/navigation.h"
#include "player/playerdisplay.h"
#include "player/refreshtick.h"
#include "settings/settings.h"
#include "support/fakeaudio.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace velmoro::test {

inline QString Fixture(const char* name)
{
    return QStringLiteral(VELMORO_FIXTURE_DIR "/") + QString::fromLatin1(name);
}

struct FakeSkin : RecordingDisplay, player::SkinControls, player::TickDisplay {
    bool shuffle = false, repeat = false;
    skin::TStatus status = skin::ssStop;
    int positionBar = 0;
    QString progress;
    int left = 0, right = 0;

    int Volume() const override { return volume; }
    bool ShuffleOn() const override { return shuffle; }
    bool RepeatOn() const override { return repeat; }
    void SetShuffle(bool on) override { shuffle = on; }
    void SetRepeat(bool on) override { repeat = on; }
    void SetVolume(int v) override { volume = v; }
    skin::TStatus Status() const override { return status; }
    void SetStatus(skin::TStatus s) override { status = s; }
    int PositionBar() const override { return positionBar; }
    void SetPositionBar(int p) override { positionBar = p; }
    QString Progress() const override { return progress; }
    void SetProgress(const QString& text) override { progress = text; }
    int LeftMeter() const override { return left; }
    int RightMeter() const override { return right; }
    void SetMeters(int l, int r) override
    {
        left = l;
        right = r;
    }
};

struct FakeWindow : player::PlayerWindow {
    QStringList chosen; // what the open-file dialog answers
    int onTopToggles = 0, equalizerMessages = 0, playlistShows = 0, playlistChanges = 0, closes = 0,
        wakes = 0, pluginStarts = 0, pluginStops = 0;
    QStringList shownDialogs; // "about", "jump", "jumpto", "tags:" + file
    std::optional<player::VisMode> marked = player::VisMode::Oscilloscope;
    QStringList ChooseFilesToOpen() override { return chosen; }
    void ToggleStayOnTop() override { ++onTopToggles; }
    void ShowEqualizerMessage() override { ++equalizerMessages; }
    void ShowPlaylistWindow() override { ++playlistShows; }
    void PlaylistChanged() override { ++playlistChanges; }
    void CloseWindow() override { ++closes; }
    void WakeRefreshTick() override { ++wakes; }
    std::optional<player::VisMode> MarkedVisMode() const override { return marked; }
    void MarkVisMode(player::VisMode mode) override { marked = mode; }
    void CallVisPluginStart() override { ++pluginStarts; }
    void CallVisPluginStop() override { ++pluginStops; }
    void ShowAboutWindow() override { shownDialogs << "about"; }
    void ShowJumpToFile() override { shownDialogs << "jump"; }
    void ShowJumpToPosition() override { shownDialogs << "jumpto"; }
    void ShowFileTags(const QString& fileName) override { shownDialogs << "tags:" + fileName; }
    void ShowUrlDialog() override { ++urlDialogs; }
    int urlDialogs = 0;
    std::vector<OptionsPageRequest> optionsShown;
    int skinBrowserShows = 0;
    void ShowOptionsWindow(OptionsPageRequest page) override { optionsShown.push_back(page); }
    void ShowSkinBrowser() override { ++skinBrowserShows; }
};

struct Controllers {
    Controllers()
    {
        commands.next = [this] { navigation.Next(); };
    }

    // Plays a stream of the given length as the current one.
    FakeAudio::Stream& Playing(std::uint32_t length, std::int32_t seconds)
    {
        engine.OpenStreamFile(Fixture("sine1k-v1-44100-cbr256.mp3"));
        command.Play();
        playback.TrackSeconds = seconds;
        FakeAudio::Stream& s = *audio.Find(playback.CurrentStream);
        s.length = length;
        return s;
    }

    app::PlayerState state;
    app::PlaybackState& playback = state.Playback;
    app::PlaylistState& tracks = state.Tracks;
    settings::Settings settings;
    FakeAudio audio;
    FakeSkin skin;
    FakeWindow window;
    RecordingCommands commands;
    app::PlaybackEngine engine{playback, tracks, state.Dirs, settings, audio, skin, commands};
    player::NavigationController navigation{playback, tracks, settings, audio, engine, skin};
    player::CommandController command{playback, settings, audio, engine, navigation, skin, window};
    player::RefreshTick tick{playback, settings, audio, engine, skin, skin, commands};
};

} // namespace velmoro::test
