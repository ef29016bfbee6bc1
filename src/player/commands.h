#pragma once
// The player's commands as the menus, the keys and the skin's buttons run
// them: playback, the play modes, the volume keys and the window's own
// commands.
#include "app/engine.h"
#include "app/playerstate.h"
#include "audio/audiolibrary.h"
#include "player/commandtable.h"
#include "player/navigation.h"
#include "player/playerdisplay.h"
#include "settings/settings.h"

#include <QStringView>

#include <optional>

namespace velmoro::player {

class CommandController : public PlayerActions {
public:
    CommandController(app::PlaybackState& playback, settings::Settings& settings, audio::IAudioLibrary& audio,
                      app::PlaybackEngine& engine, NavigationController& navigation, SkinControls& skin,
                      PlayerWindow& window);

    void OpenFiles() override;
    void Play() override;
    // Pause and stop leave the stream loaded; stop is a pause at the start.
    void Pause() override;
    void Stop() override;
    void Previous() override { m_navigation.Previous(); }
    void Next() override { m_navigation.Next(); }
    void BackFiveSeconds() override { m_navigation.BackFiveSeconds(); }
    void ForwardFiveSeconds() override { m_navigation.ForwardFiveSeconds(); }
    void AddCurrentBookmark() override;
    void ToggleShuffle() override { m_skin.SetShuffle(!m_skin.ShuffleOn()); }
    void ToggleRepeat() override { m_skin.SetRepeat(!m_skin.RepeatOn()); }
    void ToggleStayOnTop() override { m_window.ToggleStayOnTop(); }
    void ToggleDoubleSize() override;
    void ToggleCountDown() override;
    void ShowPlaylist() override { m_window.ShowPlaylistWindow(); }
    void Equalizer() override { m_window.ShowEqualizerMessage(); }
    void Exit() override { m_window.CloseWindow(); }
    void VolumeUp() override { StepVolume(+5); }
    void VolumeDown() override { StepVolume(-5); }
    void ShowOscilloscope() override { SelectVisMode(VisMode::Oscilloscope); }
    void ShowVUMeter() override { SelectVisMode(VisMode::VUMeter); }
    void ShowSpectrum() override { SelectVisMode(VisMode::Spectrum); }
    void ShowPlugin() override { SelectVisMode(VisMode::Plugin); }
    void ShowNothing() override { SelectVisMode(VisMode::None); }
    void StartVisPlugin() override;
    void StopVisPlugin() override;
    void OpenSoundSettings() override;
    void ReportBug() override;
    void ShowAbout() override { m_window.ShowAboutWindow(); }
    void JumpToFile() override { m_window.ShowJumpToFile(); }
    void JumpToPosition() override { m_window.ShowJumpToPosition(); }
    void ShowFileInfo() override;
    void OpenUrl() override { m_window.ShowUrlDialog(); }
    void ShowOptions() override { m_window.ShowOptionsWindow(PlayerWindow::OptionsPageRequest::AsLeft); }
    void ShowVisSettings() override
    {
        m_window.ShowOptionsWindow(PlayerWindow::OptionsPageRequest::Visualization);
    }
    void EditBookmarks() override { m_window.ShowOptionsWindow(PlayerWindow::OptionsPageRequest::Bookmarks); }
    void ShowSkinBrowser() override { m_window.ShowSkinBrowser(); }

    // A click on the display area: the command of the mode after the marked
    // one runs; with none marked nothing happens.
    void CycleVisMode();

private:
    void StepVolume(int points);
    void SelectVisMode(VisMode mode);

    app::PlaybackState& m_playback;
    settings::Settings& m_settings;
    audio::IAudioLibrary& m_audio;
    app::PlaybackEngine& m_engine;
    NavigationController& m_navigation;
    SkinControls& m_skin;
    PlayerWindow& m_window;
};

using app::VisModeOfRadio;

} // namespace velmoro::player
