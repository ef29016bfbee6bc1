#pragma once
// TPlayerForm: the main window. The skin covers it all; the window owns the
// engine and the player's controllers — navigation, commands, the refresh
// tick — and wires the skin's events, the hit areas, the menus and the keys
// to them. It runs the two start-up phases, and saves the bookmarks and the
// playlist when it closes.
#include "app/engine.h"
#include "app/equalizer.h"
#include "app/errorwindow.h"
#include "equalizer/eqform.h"
#include "app/playerstate.h"
#include "app/startup.h"
#include "dialogs/bassinfoform.h"
#include "dialogs/formurl.h"
#include "player/bookmarks.h"
#include "player/commands.h"
#include "player/keptsettings.h"
#include "skin/hitarea.h"
#include "options/languagechoice.h"
#include "options/optionseffects.h"
#include "options/opzioniform.h"
#include "options/skinbrowserform.h"
#include "player/loadpump.h"
#include "player/mainwindowframe.h"
#include "player/navigation.h"
#include "player/playerdialogs.h"
#include "player/playerdisplay.h"
#include "player/playermenu.h"
#include "player/refreshtick.h"
#include "playlist/playlistform.h"
#include "plugins/pluginhost.h"
#include "player/skindisplay.h"
#include "player/visdisplay.h"
#include "settings/settings.h"
#include "skin/winampskin.h"

#include <QMenu>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace velmoro::player {

using skin::HitArea;

class TPlayerForm : public QWidget,
                    public PlayerWindow,
                    public app::PlayerCommands,
                    public playlist::PlaylistHost,
                    public options::OptionsHost {
    Q_OBJECT
    // First: the controllers below are made from them.
    app::PlayerState& m_state;
    settings::Settings& m_settings;
    audio::IAudioLibrary& m_audio;

public:
    TPlayerForm(app::PlayerState& state, settings::Settings& settings, audio::IAudioLibrary& audio,
                app::ShowErrorFunction showError, QWidget* parent = nullptr);
    ~TPlayerForm() override;

    // The first start-up phase; the second follows on TimerInizializ.
    void FormCreate(const QString& executableDir, const QString& userDataDir, const QString& commandLine);
    void TimerInizializTimer();
    void TimerRinfrescoTimer();
    void TimerPosizioneFormTimer();

    // Skin events
    void MainPlayerSkinPlayClick() { Commands.Play(); }
    void MainPlayerSkinPauseClick() { Commands.Pause(); }
    void MainPlayerSkinStopClick() { Commands.Stop(); }
    void MainPlayerSkinForwardClick() { Navigation.Next(); }
    void MainPlayerSkinBackClick() { Navigation.Previous(); }
    void MainPlayerSkinEjectClick() { Commands.OpenFiles(); }
    void MainPlayerSkinVolumeChange(int volume) { Engine.ApplyPlayerVolume(volume); }
    void MainPlayerSkinBalanceChange(int balance) { Engine.ApplyBalance(balance); }
    void MainPlayerSkinEqualizerClick();
    // The "Equalizatore" item and the E key: the message, or, with the
    // equalizer audible, the window shown or hidden with the button lit.
    void EqualizerCommand();
    // Reloads the playlist window's skin, then shows or closes it.
    void MainPlayerSkinPlaylistClick(bool shown);
    void MainPlayerSkinCloseClick() { close(); }
    void MainPlayerSkinSticky(bool shaded);
    void MainPlayerSkinMenuClick();

    // Navigation
    // Adds the chosen files (audio appended, M3U/PLS loaded) and opens the first.
    void OpenFiles(const QStringList& files) { Navigation.OpenFiles(files); }
    void PositionChangeImageMouseUp(Qt::MouseButton button, int x);
    void Indietrodi5sec1Click() { Navigation.BackFiveSeconds(); }
    void Avantidi5sec1Click() { Navigation.ForwardFiveSeconds(); }
    void DisplayImageClick() { Commands.ToggleCountDown(); }
    void VisOutFrameClick() { Commands.CycleVisMode(); }
    void OpenCommandLine(const QString& line) { Navigation.OpenCommandLine(line); }

    // The single-key commands, by the key's set-1 scan code (A 30, Z 44 …,
    // arrows 72/75/77/80); codes without a command do nothing.
    void PlayerCommand(int code) { RunKeyCommand(Commands, code); }
    void Repeat1Click() { Commands.ToggleRepeat(); }
    void Shuffle1Click() { Commands.ToggleShuffle(); }
    void Sempreinprimopiano1Click();

    // Saves the bookmarks and the playlist, stops playback (the close handler).
    // A save that fails is logged and kept for SaveFailures.
    void FormClose();
    // What closes the window decides how a failed save is told: the user who
    // pressed close sees the error window and the program ends once it is
    // closed; a termination signal (a session ending) waits for nobody, so
    // the log and the exit code tell it.
    enum class CloseCause { User, TerminationSignal };
    void CloseFor(CloseCause cause);
    // One line per file the close could not save, in Italian.
    const QStringList& SaveFailures() const { return m_saveFailures; }
    // The process's exit code once the window has closed: non-zero when a
    // save failed.
    int ExitCode() const { return m_saveFailures.isEmpty() ? 0 : 1; }

    // PlayerWindow
    QStringList ChooseFilesToOpen() override;
    void ToggleStayOnTop() override { Sempreinprimopiano1Click(); }
    void ShowEqualizerMessage() override { EqualizerCommand(); }
    void CloseWindow() override { close(); }
    void ShowPlaylistWindow() override;
    void PlaylistChanged() override { PlaylistForm->RefreshPlaylistList(); }
    void WakeRefreshTick() override;
    std::optional<VisMode> MarkedVisMode() const override { return player::MarkedVisMode(*PlayerMenu); }
    void MarkVisMode(VisMode mode) override { player::MarkVisMode(*PlayerMenu, mode); }
    void CallVisPluginStart() override;
    void CallVisPluginStop() override;
    void ShowAboutWindow() override { Dialogs.ShowAbout(); }
    void ShowJumpToFile() override { Dialogs.ShowJumpToFile(); }
    void ShowJumpToPosition() override { Dialogs.ShowJumpToPosition(); }
    // Also the playlist window's: the file of its selected entry.
    void ShowFileTags(const QString& fileName) override { Dialogs.ShowFileTags(fileName); }
    void ShowUrlDialog() override;
    // The device information, filled afresh and shown modally (the options'
    // "Info Periferica").
    void ShowDeviceInformation();
    // Made on first use, with the language in force.
    dialogs::TFormURL& UrlDialog();
    dialogs::TBassInfoForm& DeviceInformationDialog();
    void ShowOptionsWindow(OptionsPageRequest page) override;
    void ShowSkinBrowser() override { SkinBrowser().ShowBrowser(); }
    // Made the first time they are wanted: most runs never open them, and
    // the start would pay for them all.
    options::TOpzioniForm& Options();
    options::TSkinBrowserForm& SkinBrowser();
    // Made at start only when it shows then.
    equalizer::TFormEqualizzatore& EqualizerWindow();
    // Runs connect on the options window once it is made (at once when it is).
    void WhenOptionsMade(std::function<void(options::TOpzioniForm&)> connect);
    // OptionsHost
    int LoadPlayerSkin(const QString& skinPath) override;
    void ReloadOtherSkins() override;
    void RefreshPlaylistList() override { PlaylistForm->RefreshPlaylistList(); }
    void OpenStream(const QString& nameOrUrl) override { Engine.OpenStream(nameOrUrl); }
    QList<QWidget*> LanguageWindows(LazyWindows lazy) override;
    // A window made after the start speaks the language in force; also for
    // the windows the program's entry makes (the error window).
    void WindowMade(QWidget& window) const;
    // PlayerCommands
    void NextCommand() override { MainPlayerSkinForwardClick(); }
    void StartVisPlugin() override { Commands.StartVisPlugin(); }
    // PlaylistHost
    void PlayCurrentEntry() override { Navigation.OpenAndPlayCurrentEntry(); }
    void ShowPlayerMenu(QPoint globalPos) override { PlayerMenu->popup(globalPos); }
    void PointerOverRows() override { m_state.Windows.HotKeysEnabled = false; }
    void EditEntryFileName(int index) override { Dialogs.EditEntryFileName(index); }

    skin::TWinampSkin* MainPlayerSkin;
    SkinDisplay SkinView;
    app::PlaybackEngine Engine;
    app::EqualizerEngine Equalizer;
    options::OptionsEffects SettingsEffects;
    options::LanguageChoice Languages;
    NavigationController Navigation;
    CommandController Commands;
    RefreshTick Tick;
    PlayerDialogs Dialogs;
    app::Startup StartupPhases;
    HitArea* MoveFormImage;
    HitArea* PositionChangeImage;
    // The shade mode's small position bar: a click there seeks.
    HitArea* ShadePositionImage;
    HitArea* DisplayImage;
    VisOutFrameArea* VisOutFrame;
    HitArea* PopupImage;
    QMenu* PlayerMenu;
    QMenu* CanzoniMenu;
    // Size, scale, shape and the hit areas' places of the window.
    MainWindowFrame* Frame;
    QTimer TimerRinfresco;
    QTimer TimerPosizioneForm;
    std::unique_ptr<VisDisplay> Vis;
    // LoadVisBackground: from the skin shown.
    void LoadVisBackground();
    // A window of its own, made with the player and closed with it.
    std::unique_ptr<playlist::TPlaylistForm> PlaylistForm;
    // Made by the second start-up phase, once the folders are known.
    std::unique_ptr<plugins::PluginHost> Plugins;
    // Made when first wanted (through their accessors above): the player's
    // start-up does not pay for them.
    std::unique_ptr<options::TSkinBrowserForm> SkinBrowserForm;
    std::unique_ptr<options::TOpzioniForm> OpzioniForm;
    std::unique_ptr<equalizer::TFormEqualizzatore> FormEqualizzatore;
    std::unique_ptr<dialogs::TFormURL> FormURL;
    std::unique_ptr<dialogs::TBassInfoForm> BassInfoForm;

    // Another player owns default.m3u (this one was started beside it):
    // the close leaves the file as that player will write it.
    void LeaveDefaultPlaylistToAnotherPlayer() { m_ownsDefaultPlaylist = false; }
    // Runs when the second start-up phase has loaded the playlist and
    // opened the command line.
    std::function<void()> OnStarted;

    // Tests give it a clock of their own.
    LoadPump& PlaylistLoadPump() { return *m_loadPump; }

    // The file that keeps the settings and the windows' places from one run
    // to the next; read by FormCreate, written at the close. Tests leave it
    // empty, so nothing is kept.
    void KeepSettingsIn(const QString& path) { m_kept = KeptSettings(path); }

    // The open-file dialog; tests put a function that answers for the user.
    std::function<QStringList()> OpenDialog;

protected:
    void closeEvent(QCloseEvent* event) override;
    // Back over the player, the single-key commands listen again (the
    // playlist's rows took the keys while the pointer was over them).
    void enterEvent(QEnterEvent* event) override;
    // The application-wide key handler: every key press, once, while
    // HotKeysEnabled.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ConnectSkinEvents();
    void ConnectHitAreas();
    void LoadDemoPlaylist();
    void PlayDemoPlaylist();
    void SaveFailed(const QString& what, const QString& reason);
    // The list's loads keep the window painting and show their progress in
    // the title; a close during one waits for it to stop.
    void WatchPlaylistWork();
    void ShowLoadProgress(const QString& fileName, int percent);
    // The playlist window's part of the player's skin.
    void LoadPlaylistSkin();
    // "Carica tutti all'avvio": every visualization and menu plug-in.
    void LoadPlugins();
    void LoadVisPlugins();
    void LoadMenuPlugins();
    void ConnectOptionsButtons();
    void RestoreKeptSettings();
    void PlaceOtherWindows();
    void SaveKeptSettings();
    // The equalizer window's, and showing or hiding that window.
    void LoadEqualizerSkin();
    void ShowEqualizerWindow(bool shown);
    // The equalizer window's place, kept while it is not made yet: it moves
    // with the player all the same.
    QPoint EqualizerPlace() const;
    void MoveEqualizer(QPoint at);
    void ApplyGuiPriority();

    QString m_commandLine;
    BookmarkFile m_bookmarkFile;
    app::ShowErrorFunction m_showError;
    CloseCause m_closeCause = CloseCause::User;
    QStringList m_saveFailures;
    int m_tickInterval = 10; // RinfrescoTrack
    bool m_closed = false;
    bool m_closePending = false;        // closed during a load; the close comes back after it
    bool m_keepDefaultPlaylist = false; // its start-up load was cut short
    bool m_ownsDefaultPlaylist = true;
    QString m_titleBeforeLoad;
    std::shared_ptr<LoadPump> m_loadPump;
    std::unique_ptr<app::VisPluginSink> m_pluginFeed;
    KeptSettings m_kept;
    WindowPlaces m_keptPlaces;
    bool m_playlistPlaced = false;
    QPoint m_equalizerPlace;
    std::function<void(options::TOpzioniForm&)> m_optionsMade;
    // The error window belongs to the program's entry; the language file
    // takes its captions from one made for the purpose.
    std::unique_ptr<app::TFormShowErrore> m_errorWindowCaptions;
};

} // namespace velmoro::player
