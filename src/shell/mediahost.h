#pragma once
// What the desktop's media controls (MPRIS) read from the player and ask of
// it. Commands go through the command codes like the keys; the rest are
// the player's own handlers (the position bar's seek, the volume slider's).
#include "app/playerstate.h"
#include "shell/commandcodes.h"

#include <QString>

#include <cstdint>

namespace velmoro::shell {

struct TrackMetadata {
    std::uint32_t stream = 0; // the current stream's handle; 0 for none
    QString title;
    QString artist;
    QString album;
    std::int64_t lengthMicroseconds = 0;
    QString url; // file:// for a file, the address of a network stream

    bool operator==(const TrackMetadata&) const = default;
};

class MediaHost : public CommandTarget {
public:
    virtual app::PlayStatusValue PlayStatus() const = 0;
    virtual TrackMetadata CurrentTrack() const = 0;
    virtual std::int64_t PositionMicroseconds() const = 0;
    // Within the current track's length; nothing without a track.
    virtual void SeekTo(std::int64_t microseconds) = 0;
    virtual int Volume() const = 0; // 0–100
    virtual void SetVolume(int volume) = 0;
    virtual void Raise() = 0;
    virtual void Quit() = 0;
};

} // namespace velmoro::shell
