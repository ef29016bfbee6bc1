#include "app/startup.h"

#include "app/shared.h"
#include "app/version.h"
#include "platform/wholefile.h"

namespace velmoro::app {

QString ApplicationTitle()
{
    return QStringLiteral("Velmoro [www.velmoro.it]");
}

QString VersionBanner()
{
    return QStringLiteral("Velmoro versione %1.%2").arg(kVersionMajor).arg(kVersionMinor);
}

Startup::Startup(PlayerState& state, settings::Settings& settings, audio::IAudioLibrary& audio,
                 ShowErrorFunction showError, QObject* parent)
    : QObject(parent), m_state(state), m_settings(settings), m_audio(audio), m_showError(std::move(showError))
{
    TimerInizializ.setObjectName(QStringLiteral("TimerInizializ"));
    TimerInizializ.setInterval(50);
    TimerInizializ.setSingleShot(true);
    connect(&TimerInizializ, &QTimer::timeout, this, &Startup::TimerInizializTimer);
}

void Startup::FirstPhase(const QString& executableDir, const QString& userDataDir)
{
    m_state.Windows.HotKeysEnabled = true;
    m_state.Playback.PlayStatus = PlayStatusValue::Idle;
    m_state.Tracks.CurrentIndex = 0;
    m_state.Playback.FadeInStep = 1;
    m_state.Playback.FadeOutStep = 1;
    m_state.Dirs = ResolveAppDirectories(executableDir, userDataDir);
    // What a save killed midway left beside the files rewritten at close.
    platform::RemoveStaleTemporaryFiles(m_state.Dirs.AppDir);
    if (OnFirstPhase)
        OnFirstPhase();
    m_state.Windows.PlayerCreated = true;
    TimerInizializ.start();
}

void Startup::TimerInizializTimer()
{
    TimerInizializ.stop();
    // The device list is still empty here, so this is the default device.
    const QString devices = QStringLiteral("DeviceCombo");
    InitAudioDevice(m_audio, m_settings.ItemIndex(devices), OutputFlags(m_settings), m_showError);
    m_settings.SetLines(devices, DeviceListLines(m_audio));
    m_settings.SetItemIndex(devices, 0);
    if (OnSecondPhase)
        OnSecondPhase();
}

} // namespace velmoro::app
