#include "app/startup.h"

#include "app/shared.h"

namespace velmoro::app {

QString ApplicationTitle()
{
    return QStringLiteral("Velmoro [www.velmoro.it]");
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
    m_state.HotKeysEnabled = true;
    m_state.PlayStatus = 0;
    m_state.CurrentIndex = 0;
    m_state.FadeInStep = 1;
    m_state.FadeOutStep = 1;
    const AppDirectories dirs = ResolveAppDirectories(executableDir, userDataDir);
    m_state.AppDir = dirs.AppDir;
    m_state.SkinsDir = dirs.SkinsDir;
    m_state.SkinDir = dirs.SkinDir;
    if (OnFirstPhase)
        OnFirstPhase();
    m_state.PlayerCreated = true;
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
