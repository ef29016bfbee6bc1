#include "shell/playermediahost.h"

#include "player/playerform.h"
#include "trackinfo/mpegaudio.h"

#include <QFileInfo>
#include <QUrl>

#include <algorithm>

namespace velmoro::shell {

namespace {

constexpr std::int64_t kMicroseconds = 1'000'000;

} // namespace

bool IsNetworkAddress(const QString& name)
{
    return name.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
           name.startsWith(QLatin1String("https://"), Qt::CaseInsensitive) ||
           name.startsWith(QLatin1String("ftp://"), Qt::CaseInsensitive);
}

PlayerMediaHost::PlayerMediaHost(player::TPlayerForm& player, const app::PlayerState& state,
                                 audio::IAudioLibrary& audio)
    : m_player(player), m_state(state), m_audio(audio)
{
}

void PlayerMediaHost::PlayerCommand(int keyCode)
{
    m_player.PlayerCommand(keyCode);
}

void PlayerMediaHost::RunCommand(player::CommandId id)
{
    player::RunCommand(m_player.Commands, id);
}

TrackMetadata PlayerMediaHost::CurrentTrack() const
{
    const app::PlaybackState& playback = m_state.Playback;
    if (playback.CurrentStream == 0)
        return {};
    const std::int64_t length = std::int64_t(std::max(0, playback.TrackSeconds)) * kMicroseconds;
    const QString& name = playback.CurrentFileName;
    if (IsNetworkAddress(name))
        return {playback.CurrentStream, m_player.MainPlayerSkin->Title(), {}, {}, length, name};
    if (m_fileTrack.stream != playback.CurrentStream) {
        trackinfo::TMPEGAudio tags;
        tags.SetFileName(name);
        const bool read = tags.ReadData() == 0 && tags.HasTag();
        const trackinfo::TMPEGAudioData& data = tags.Data();
        m_fileTrack = {playback.CurrentStream,
                       read && !data.Title.trimmed().isEmpty() ? data.Title.trimmed()
                                                               : QFileInfo(name).completeBaseName(),
                       read ? data.Artist.trimmed() : QString(),
                       read ? data.Album.trimmed() : QString(),
                       0,
                       QUrl::fromLocalFile(QFileInfo(name).absoluteFilePath()).toString()};
    }
    TrackMetadata track = m_fileTrack;
    track.lengthMicroseconds = length;
    return track;
}

std::int64_t PlayerMediaHost::PositionMicroseconds() const
{
    const audio::Handle stream = m_state.Playback.CurrentStream;
    const std::uint32_t length = stream ? m_audio.StreamGetLength(stream) : 0;
    if (length == 0 || m_state.Playback.TrackSeconds <= 0)
        return 0;
    const double fraction = double(m_audio.ChannelGetPosition(stream)) / double(length);
    return std::int64_t(fraction * double(m_state.Playback.TrackSeconds) * kMicroseconds);
}

void PlayerMediaHost::SeekTo(std::int64_t microseconds)
{
    const int trackMs = m_state.Playback.TrackSeconds * 1000;
    if (m_state.Playback.CurrentStream == 0 || trackMs <= 0)
        return;
    // The position bar's own seek, at the same fraction of the track.
    m_player.Navigation.SeekTo(int(std::clamp<std::int64_t>(microseconds / 1000, 0, trackMs)), trackMs);
}

int PlayerMediaHost::Volume() const
{
    return m_player.SkinView.Volume();
}

void PlayerMediaHost::SetVolume(int volume)
{
    // As the volume keys set it: the output first, then the slider.
    const int clamped = std::clamp(volume, 0, 100);
    m_player.MainPlayerSkinVolumeChange(clamped);
    m_player.SkinView.SetVolume(clamped);
}

void PlayerMediaHost::Raise()
{
    m_player.show();
    m_player.raise();
    m_player.activateWindow();
}

void PlayerMediaHost::Quit()
{
    m_player.close();
}

} // namespace velmoro::shell
