#include "player/timedisplay.h"

#include <cmath>

namespace velmoro::player {

TrackTime ComputeTrackTime(std::uint32_t position, std::uint32_t length, std::int32_t trackSeconds)
{
    TrackTime t;
    const std::uint32_t p = position / 1000;
    const std::uint32_t l = length / 1000;
    // A stream shorter than 1000 bytes has no length to divide by: its time
    // stays unknown rather than dividing by zero.
    if (l == 0)
        return t;
    t.known = true;
    t.elapsed = std::int32_t(std::trunc(double(std::int64_t(trackSeconds) * p) / double(l)));
    t.remaining = trackSeconds - t.elapsed;
    t.positionBar = std::int32_t(std::trunc(double(std::int64_t(p) * 256) / double(l)));
    return t;
}

QString TimeDisplayText(std::int32_t seconds)
{
    const std::int32_t minutes = seconds / 60;
    const std::int32_t rest = seconds - 60 * minutes;
    const auto twoDigits = [](std::int32_t v) { return (v < 10 && v >= 0 ? QStringLiteral("0") : QString()) + QString::number(v); };
    return twoDigits(minutes) + u' ' + twoDigits(rest);
}

} // namespace velmoro::player
