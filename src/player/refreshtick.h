#pragma once
// The refresh tick (TimerRinfresco): the time display, the position bar, the
// level meters and the state light follow the playback, and the end of a
// track is found here — the crossfade lead before it, when repeat opens the
// next entry.
#include "app/engine.h"
#include "app/playerstate.h"
#include "audio/audiolibrary.h"
#include "player/playerdisplay.h"
#include "settings/settings.h"

#include <cstdint>

namespace velmoro::player {

// When the tick after this one is due.
struct NextTick {
    bool sleep = false; // the display is still: no tick until something wakes it
    int intervalMs = 0; // else the timer's interval from now on; 0 leaves it as it is
};

// When the display area next changes.
struct VisPace {
    bool moves = false;             // it changes again while this plays
    std::int64_t msUntilChange = 0; // if so, in how long; 0: on every tick
};

// The display area's part of the tick.
class VisTick {
public:
    virtual ~VisTick() = default;
    // Draws what is due now, and says when the next tick must come for it.
    virtual VisPace RunVis() = 0;
    // The level of what is heard now, in ChannelGetLevel's form.
    virtual std::uint32_t HeardLevel() = 0;
};

class RefreshTick {
public:
    RefreshTick(app::PlaybackState& playback, settings::Settings& settings, audio::IAudioLibrary& audio,
                app::PlaybackEngine& engine, TickDisplay& display, const SkinControls& skin,
                app::PlayerCommands& commands);

    // One tick; intervalMs is the tick's own interval (RinfrescoTrack).
    NextTick Run(int intervalMs);
    // Without one the display area stays as it is and the meters show the
    // library's level.
    void SetVisTick(VisTick* vis) { m_vis = vis; }

private:
    // The playing state's part; returns the milliseconds until the display
    // next changes, −1 when the next tick should come at the interval.
    std::int64_t RefreshPlayingDisplay();

    app::PlaybackState& m_playback;
    settings::Settings& m_settings;
    audio::IAudioLibrary& m_audio;
    app::PlaybackEngine& m_engine;
    TickDisplay& m_display;
    const SkinControls& m_skin;
    app::PlayerCommands& m_commands;
    VisTick* m_vis = nullptr;
};

} // namespace velmoro::player
