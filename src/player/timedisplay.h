#pragma once
// The arithmetic of the refresh tick: stream bytes to seconds, the time
// display text and the position bar. Pure, so each rule has its test.
#include <QString>
#include <cstdint>

namespace velmoro::player {

struct TrackTime {
    bool known = false; // false when the stream is shorter than 1000 bytes
    std::int32_t elapsed = 0;
    std::int32_t remaining = 0;
    std::int32_t positionBar = 0; // 0–256
};

// position and length are the stream's bytes; trackSeconds its duration.
TrackTime ComputeTrackTime(std::uint32_t position, std::uint32_t length, std::int32_t trackSeconds);

// Milliseconds of playback at bytesPerSecond until the elapsed second or the
// position bar of ComputeTrackTime next changes; −1 when neither can be told.
std::int64_t MsUntilDisplayChange(std::uint32_t position, std::uint32_t length, std::int32_t trackSeconds,
                                  std::uint32_t bytesPerSecond);

// Minutes and seconds, each with a leading 0 below 10, one blank between:
// "03 27", "100 00".
QString TimeDisplayText(std::int32_t seconds);

} // namespace velmoro::player
