#include "player/refreshtick.h"

#include "player/timedisplay.h"
#include "visual/visdraw.h"

#include <algorithm>

namespace velmoro::player {

using app::PlayStatusValue;

RefreshTick::RefreshTick(app::PlaybackState& playback, settings::Settings& settings,
                         audio::IAudioLibrary& audio, app::PlaybackEngine& engine, TickDisplay& display,
                         const SkinControls& skin, app::PlayerCommands& commands)
    : m_playback(playback), m_settings(settings), m_audio(audio), m_engine(engine), m_display(display),
      m_skin(skin), m_commands(commands)
{
}

NextTick RefreshTick::Run(int intervalMs)
{
    TickDisplay& d = m_display;
    const VisPace vis = m_vis ? m_vis->RunVis() : VisPace{};
    // Stopped or paused, the tick only holds the display still: once it shows
    // that state the tick sleeps until something plays or the user acts.
    switch (m_playback.PlayStatus) {
    case PlayStatusValue::Idle:
    case PlayStatusValue::Stopped: {
        const bool still = d.PositionBar() == 0 && d.Progress().isEmpty() && d.LeftMeter() == 0 &&
                           d.RightMeter() == 0 && d.Status() == skin::ssStop;
        d.SetPositionBar(0);
        d.SetProgress(QString());
        d.SetMeters(0, 0);
        d.SetStatus(skin::ssStop);
        return NextTick{still, 0};
    }
    case PlayStatusValue::Paused: {
        const bool still = d.LeftMeter() == 0 && d.RightMeter() == 0 && d.Status() == skin::ssPause;
        d.SetMeters(0, 0);
        d.SetStatus(skin::ssPause);
        return NextTick{still, 0};
    }
    case PlayStatusValue::Playing:
        break;
    }
    d.SetStatus(skin::ssPlay);
    // Between two changes of the time or the position bar a tick would show
    // nothing new, so the next one comes when the next change is due: the
    // display changes when it would with a tick every interval, and a playing
    // window does not wake a hundred times a second to show the same second.
    // The display area's frames fall due between those changes: a tick comes
    // for each, never sooner than the interval after the last.
    const std::int64_t msUntilChange = RefreshPlayingDisplay();
    constexpr std::int64_t kLongestWait = 1000; // what no one foresaw shows within a second
    if (msUntilChange < 0 || (vis.moves && vis.msUntilChange <= 0))
        return NextTick{false, intervalMs};
    const std::int64_t wait = vis.moves ? std::min(msUntilChange + 1, vis.msUntilChange) : msUntilChange + 1;
    return NextTick{false, int(std::clamp<std::int64_t>(wait, intervalMs,
                                                        std::max<std::int64_t>(intervalMs, kLongestWait)))};
}

std::int64_t RefreshTick::RefreshPlayingDisplay()
{
    m_engine.PickUpLateFormat();
    const std::uint32_t position = m_audio.ChannelGetPosition(m_playback.CurrentStream);
    const std::uint32_t length = m_audio.StreamGetLength(m_playback.CurrentStream);
    const TrackTime t = ComputeTrackTime(position, length, m_playback.TrackSeconds);
    if (!t.known)
        return -1;
    if (t.remaining <= m_settings.Position(QStringLiteral("NextStartTrack"))) {
        m_playback.PlayStatus = PlayStatusValue::Stopped;
        if (m_skin.RepeatOn())
            m_commands.NextCommand();
        return -1;
    }
    m_display.SetPositionBar(t.positionBar);
    m_display.SetProgress(
        TimeDisplayText(m_settings.Checked(QStringLiteral("CountDownCheck")) ? t.remaining : t.elapsed));
    if (m_settings.Checked(QStringLiteral("VUMeterCheck"))) {
        const std::uint32_t level =
            m_vis ? m_vis->HeardLevel() : m_audio.ChannelGetLevel(m_playback.CurrentStream);
        const auto [left, right] = visual::MeterSteps(level);
        m_display.SetMeters(left, right);
        return -1; // the meters move all the time
    }
    int frequency = 0;
    int volume = 0;
    int pan = 0;
    m_audio.ChannelGetAttributes(m_playback.CurrentStream, &frequency, &volume, &pan);
    return MsUntilDisplayChange(position, length, m_playback.TrackSeconds,
                                std::uint32_t(std::max(frequency, 0)) * 4);
}

} // namespace velmoro::player
