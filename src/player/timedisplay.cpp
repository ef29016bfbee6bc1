#include "player/timedisplay.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

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

std::int64_t MsUntilDisplayChange(std::uint32_t position, std::uint32_t length, std::int32_t trackSeconds,
                                  std::uint32_t bytesPerSecond)
{
    const TrackTime now = ComputeTrackTime(position, length, trackSeconds);
    if (!now.known || bytesPerSecond == 0)
        return -1;
    const std::int64_t l = length / 1000;
    const auto ceilDiv = [](std::int64_t a, std::int64_t b) { return (a + b - 1) / b; };
    // The first thousand of bytes at which each value steps up.
    std::int64_t next = INT64_MAX;
    if (trackSeconds > 0)
        next = std::min(next, ceilDiv((std::int64_t(now.elapsed) + 1) * l, trackSeconds));
    if (now.positionBar < 256)
        next = std::min(next, ceilDiv((std::int64_t(now.positionBar) + 1) * l, 256));
    if (next == INT64_MAX)
        return -1;
    next = std::max<std::int64_t>(next, position / 1000 + 1);
    return ceilDiv((next * 1000 - std::int64_t(position)) * 1000, bytesPerSecond);
}

QString TimeDisplayText(std::int32_t seconds)
{
    const std::int32_t minutes = seconds / 60;
    const std::int32_t rest = seconds - 60 * minutes;
    const auto twoDigits = [](std::int32_t v) {
        return (v < 10 && v >= 0 ? QStringLiteral("0") : QString()) + QString::number(v);
    };
    return twoDigits(minutes) + u' ' + twoDigits(rest);
}

} // namespace velmoro::player
