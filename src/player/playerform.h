#pragma once
// TPlayerForm: the main window and its controller. The skin covers it all;
// the controller wires the skin's events to the playback engine, runs the
// refresh tick (time, position bar, meters, end of track), the two start-up
// phases, the navigation commands, and saves the bookmarks and the playlist
// when it closes.
#include "app/engine.h"
#include "app/playerstate.h"
#include "app/startup.h"
#include "player/hitarea.h"
#include "settings/settings.h"
#include "skin/winampskin.h"

#include <QMenu>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <optional>

namespace velmoro::player {

class TPlayerForm : public QWidget, public app::EngineDisplay, public app::PlayerCommands {
    Q_OBJECT
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
    void MainPlayerSkinPlayClick();
    void MainPlayerSkinPauseClick();
    void MainPlayerSkinStopClick();
    void MainPlayerSkinForwardClick();
    void MainPlayerSkinBackClick();
    void MainPlayerSkinEjectClick();
    void MainPlayerSkinVolumeChange(int volume);
    void MainPlayerSkinBalanceChange(int balance);
    void MainPlayerSkinEqualizerClick();
    void MainPlayerSkinCloseClick();
    void MainPlayerSkinSticky(bool shaded);
    void MainPlayerSkinMenuClick();

    // Navigation
    // Adds the chosen files (audio appended, M3U/PLS loaded) and opens the first.
    void OpenFiles(const QStringList& files);
    void PositionChangeImageMouseUp(Qt::MouseButton button, int x);
    void Indietrodi5sec1Click();
    void Avantidi5sec1Click();
    void DisplayImageClick();
    void OpenCommandLine(const QString& line);

    // The single-key commands, by the key's set-1 scan code (A 30, Z 44 …,
    // arrows 72/75/77/80); codes without a command do nothing.
    void PlayerCommand(int code);
    void Repeat1Click();
    void Shuffle1Click();
    void Sempreinprimopiano1Click();

    // Saves the bookmarks and the playlist, stops playback (the close handler).
    void FormClose();

    // EngineDisplay
    void SetTitle(const QString& title) override { MainPlayerSkin->SetTitle(title); }
    void SetFrequency(int hertz) override { MainPlayerSkin->SetFrequency(hertz); }
    void SetBitrate(int kbps) override { MainPlayerSkin->SetBitrate(kbps); }
    void SetStereo(bool stereo) override;
    int Volume() const override { return MainPlayerSkin->Volume(); }
    int Balance() const override { return MainPlayerSkin->Balance(); }
    // PlayerCommands
    void NextCommand() override { MainPlayerSkinForwardClick(); }
    void StartVisPlugin() override {}

    skin::TWinampSkin* MainPlayerSkin;
    HitArea* MoveFormImage;
    HitArea* PositionChangeImage;
    HitArea* DisplayImage;
    HitArea* VisOutFrame;
    HitArea* PopupImage;
    QMenu* PlayerMenu;
    QMenu* CanzoniMenu;
    QTimer TimerRinfresco;
    QTimer TimerPosizioneForm;
    app::PlaybackEngine Engine;
    app::Startup StartupPhases;

    // The open-file dialog; tests put a function that answers for the user.
    std::function<QStringList()> OpenDialog;

protected:
    void closeEvent(QCloseEvent* event) override;
    // The application-wide key handler: every key press, once, while
    // HotKeysEnabled.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OpenAndPlayCurrentEntry();
    // The refresh tick at its interval again, soon: it may have slept on a
    // still display or be waiting for the next change of time.
    void WakeRefreshTick();
    std::int64_t RefreshPlayingDisplay();
    // msUntilChange −1: the next tick at the interval.
    void ScheduleNextTick(std::int64_t msUntilChange);
    void LoadDemoPlaylist();
    void PlayDemoPlaylist();
    void BuildPlayerMenu();
    struct JumpBase {
        int second;         // the second now heard
        double lengthBytes; // the length as the tick counts it (whole thousands of bytes)
    };
    std::optional<JumpBase> CurrentJumpBase() const;
    double JumpTarget(const JumpBase& base, int second) const;

    app::PlayerState& m_state;
    settings::Settings& m_settings;
    audio::IAudioLibrary& m_audio;
    QString m_commandLine;
    QString m_installDir;
    int m_tickInterval = 10; // RinfrescoTrack
    bool m_closed = false;
};

} // namespace velmoro::player
