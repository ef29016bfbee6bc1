#include "options/optionseffects.h"

#include "platform/logging.h"

namespace velmoro::options {

OptionsEffects::OptionsEffects(settings::Settings& settings, audio::IAudioLibrary& audio,
                               app::PlaybackEngine& engine, app::PlaybackState& playback, OptionsHost& host,
                               QObject* parent)
    : QObject(parent), m_settings(settings), m_audio(audio), m_host(host), m_fades(settings, engine, playback)
{
    connect(&m_settings, &settings::Settings::Changed, this, &OptionsEffects::SettingChanged);
}

void OptionsEffects::SettingChanged(const QString& name)
{
    if (name == u"LunghezzaBufferTrack") {
        m_audio.SetBufferLength(float(m_settings.Position(name)) * 0.1f);
    } else if ((name == u"VolumeLineare" || name == u"VolumeLog") && m_settings.Checked(name)) {
        m_audio.SetLogCurves(name == u"VolumeLog", false);
    } else if (name == u"NextStartTrack") {
        qCDebug(lcSettings) << "the next track starts" << m_settings.Position(name) << "s before the end";
    } else if (name == u"NumPlaylistfiles") {
        m_host.RefreshPlaylistList();
    }
}

} // namespace velmoro::options
