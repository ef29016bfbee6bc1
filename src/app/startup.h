#pragma once
// The program's start: the application title, the first phase (the shared
// state and the directories) and, 50 ms after the event loop has started,
// the second phase that needs every window (the audio output, the device
// list). Windows that come later add their own steps to the two phases.
#include "app/audiodevice.h"
#include "app/playerstate.h"
#include "settings/settings.h"

#include <QObject>
#include <QTimer>

#include <functional>

namespace velmoro::app {

// "Velmoro [www.velmoro.it]": the product name and, in brackets, its web label.
QString ApplicationTitle();
// "Velmoro versione 0.5": the skin's title before anything plays, with the
// major and minor number of the project's version.
QString VersionBanner();

class Startup : public QObject {
    Q_OBJECT
public:
    Startup(PlayerState& state, settings::Settings& settings, audio::IAudioLibrary& audio,
            ShowErrorFunction showError, QObject* parent = nullptr);

    // Shared state at its start values and the program's directories, with
    // the stale temporary files of interrupted saves removed from AppDir.
    void FirstPhase(const QString& executableDir, const QString& userDataDir);
    // Opens the audio output (device −1 and the output flags of the settings),
    // then fills the device list and selects its first line without reopening.
    void TimerInizializTimer();

    QTimer TimerInizializ;              // one shot, 50 ms, started by FirstPhase
    std::function<void()> OnFirstPhase; // the steps of windows built later
    std::function<void()> OnSecondPhase;

private:
    PlayerState& m_state;
    settings::Settings& m_settings;
    audio::IAudioLibrary& m_audio;
    ShowErrorFunction m_showError;
};

} // namespace velmoro::app
