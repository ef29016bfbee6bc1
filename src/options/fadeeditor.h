#pragma once
// The options' fade editing: two track bars edit one fade at a time, the
// fade-in or the fade-out, as the radio buttons "In ingresso" and "In uscita"
// choose. TrackFadeSpeed is the chosen fade timer's interval in milliseconds,
// TrackSlope its step in volume points per tick. Choosing the other fade
// shows its values on the two bars; moving a bar writes into the chosen fade
// only. The fades themselves live in the engine: the timers, and the steps
// in the playback state that its timer slots read.
#include "app/engine.h"
#include "app/playerstate.h"
#include "options/crossfadegraph.h"
#include "settings/settings.h"

#include <QObject>

namespace velmoro::options {

class FadeEditor : public QObject {
    Q_OBJECT
public:
    FadeEditor(settings::Settings& settings, app::PlaybackEngine& engine, app::PlaybackState& playback,
               QObject* parent = nullptr);

    // The two fades as they stand, for the graph.
    CrossfadeShape Shape() const;

signals:
    // After every change of either fade, and after a change of the chosen one.
    void ShapeChanged();

private:
    bool FadeInChosen() const;
    void ShowChosenFade();
    void SpeedChanged();
    void SlopeChanged();

    settings::Settings& m_settings;
    app::PlaybackEngine& m_engine;
    app::PlaybackState& m_playback;
    bool m_showing = false; // the bars are being set from the chosen fade
};

} // namespace velmoro::options
