#pragma once
// What a change of an options' setting does at once elsewhere: the audio
// buffer and volume curves, the playlist's numbered rows, the fades. It lives
// with the player, not with the options window: the settings kept from the
// last run change at start, when that window is not made yet.
#include "app/engine.h"
#include "app/playerstate.h"
#include "audio/audiolibrary.h"
#include "options/fadeeditor.h"
#include "options/optionshost.h"
#include "settings/settings.h"

#include <QObject>

namespace velmoro::options {

class OptionsEffects : public QObject {
    Q_OBJECT
public:
    OptionsEffects(settings::Settings& settings, audio::IAudioLibrary& audio, app::PlaybackEngine& engine,
                   app::PlaybackState& playback, OptionsHost& host, QObject* parent = nullptr);

    const FadeEditor& Fades() const { return m_fades; }

private:
    void SettingChanged(const QString& name);

    settings::Settings& m_settings;
    audio::IAudioLibrary& m_audio;
    OptionsHost& m_host;
    FadeEditor m_fades;
};

} // namespace velmoro::options
