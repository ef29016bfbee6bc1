#pragma once
// The desktop's view of the player window: its commands, what plays and
// where, its volume, and the window itself.
#include "audio/audiolibrary.h"
#include "shell/mediahost.h"

namespace velmoro::player {
class TPlayerForm;
}

namespace velmoro::shell {

class PlayerMediaHost : public MediaHost {
public:
    PlayerMediaHost(player::TPlayerForm& player, const app::PlayerState& state, audio::IAudioLibrary& audio);

    // CommandTarget
    void PlayerCommand(int keyCode) override;
    void RunCommand(player::CommandId id) override;
    // MediaHost
    app::PlayStatusValue PlayStatus() const override { return m_state.Playback.PlayStatus; }
    // A file's tag is read once per stream; a network stream's title is the
    // one the player's title shows.
    TrackMetadata CurrentTrack() const override;
    std::int64_t PositionMicroseconds() const override;
    void SeekTo(std::int64_t microseconds) override;
    int Volume() const override;
    void SetVolume(int volume) override;
    void Raise() override;
    void Quit() override;

private:
    player::TPlayerForm& m_player;
    const app::PlayerState& m_state;
    audio::IAudioLibrary& m_audio;
    mutable TrackMetadata m_fileTrack; // the tag of the last file stream asked about
};

// True for an address the engine opens as a network stream.
bool IsNetworkAddress(const QString& name);

} // namespace velmoro::shell
