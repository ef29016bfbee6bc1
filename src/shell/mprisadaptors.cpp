#include "shell/mprisadaptors.h"

#include <QUrl>

#include <algorithm>
#include <cmath>

namespace velmoro::shell {

QDBusObjectPath TrackObjectPath(const TrackMetadata& track)
{
    if (track.stream == 0)
        return QDBusObjectPath(QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack"));
    // Each open makes a new stream handle, so the path changes with the track.
    return QDBusObjectPath(QStringLiteral("/org/velmoro/track/%1").arg(track.stream));
}

QVariantMap MetadataMap(const TrackMetadata& track)
{
    QVariantMap map;
    if (track.stream == 0)
        return map;
    map.insert(QStringLiteral("mpris:trackid"), QVariant::fromValue(TrackObjectPath(track)));
    if (track.lengthMicroseconds > 0)
        map.insert(QStringLiteral("mpris:length"), qlonglong(track.lengthMicroseconds));
    if (!track.title.isEmpty())
        map.insert(QStringLiteral("xesam:title"), track.title);
    if (!track.artist.isEmpty())
        map.insert(QStringLiteral("xesam:artist"), QStringList{track.artist});
    if (!track.album.isEmpty())
        map.insert(QStringLiteral("xesam:album"), track.album);
    if (!track.url.isEmpty())
        map.insert(QStringLiteral("xesam:url"), track.url);
    return map;
}

QString PlaybackStatusText(app::PlayStatusValue status)
{
    switch (status) {
    case app::PlayStatusValue::Playing:
        return QStringLiteral("Playing");
    case app::PlayStatusValue::Paused:
        return QStringLiteral("Paused");
    case app::PlayStatusValue::Idle:
    case app::PlayStatusValue::Stopped:
        break;
    }
    return QStringLiteral("Stopped");
}

MprisRootAdaptor::MprisRootAdaptor(QObject* object, MediaHost& host)
    : QDBusAbstractAdaptor(object), m_host(host)
{
}

QString MprisRootAdaptor::Identity() const
{
    return QStringLiteral("Velmoro");
}

QString MprisRootAdaptor::DesktopEntry() const
{
    return QStringLiteral("velmoro");
}

QStringList MprisRootAdaptor::SupportedUriSchemes() const
{
    return {QStringLiteral("file"), QStringLiteral("http"), QStringLiteral("ftp")};
}

QStringList MprisRootAdaptor::SupportedMimeTypes() const
{
    return {QStringLiteral("audio/mpeg"), QStringLiteral("audio/x-mpegurl"), QStringLiteral("audio/x-scpls")};
}

MprisPlayerAdaptor::MprisPlayerAdaptor(QObject* object, MediaHost& host)
    : QDBusAbstractAdaptor(object), m_host(host)
{
}

QString MprisPlayerAdaptor::PlaybackStatus() const
{
    return PlaybackStatusText(m_host.PlayStatus());
}

QVariantMap MprisPlayerAdaptor::Metadata() const
{
    return MetadataMap(m_host.CurrentTrack());
}

double MprisPlayerAdaptor::Volume() const
{
    return m_host.Volume() / 100.0;
}

void MprisPlayerAdaptor::SetVolume(double volume)
{
    if (!std::isfinite(volume))
        return;
    m_host.SetVolume(int(std::lround(std::clamp(volume, 0.0, 1.0) * 100)));
}

void MprisPlayerAdaptor::RunKeyCommand(player::CommandId id)
{
    if (const player::CommandEntry* entry = player::FindCommand(id))
        m_host.PlayerCommand(entry->scanCode);
}

void MprisPlayerAdaptor::Next()
{
    RunKeyCommand(player::CommandId::Next);
}

void MprisPlayerAdaptor::Previous()
{
    RunKeyCommand(player::CommandId::Previous);
}

void MprisPlayerAdaptor::Pause()
{
    RunKeyCommand(player::CommandId::Pause);
}

void MprisPlayerAdaptor::PlayPause()
{
    RunKeyCommand(m_host.PlayStatus() == app::PlayStatusValue::Playing ? player::CommandId::Pause
                                                                       : player::CommandId::Play);
}

void MprisPlayerAdaptor::Stop()
{
    RunKeyCommand(player::CommandId::Stop);
}

void MprisPlayerAdaptor::Play()
{
    RunKeyCommand(player::CommandId::Play);
}

void MprisPlayerAdaptor::Seek(qlonglong offset)
{
    const TrackMetadata track = m_host.CurrentTrack();
    if (track.stream == 0 || track.lengthMicroseconds <= 0)
        return;
    const std::int64_t target = std::max<std::int64_t>(0, m_host.PositionMicroseconds() + offset);
    // Past the end is the next track, as the interface asks.
    if (target > track.lengthMicroseconds) {
        Next();
        return;
    }
    m_host.SeekTo(target);
    emit Seeked(m_host.PositionMicroseconds());
}

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath& trackId, qlonglong position)
{
    const TrackMetadata track = m_host.CurrentTrack();
    // A request meant for a track that is no longer current is stale.
    if (track.stream == 0 || trackId != TrackObjectPath(track))
        return;
    if (position < 0 || position > track.lengthMicroseconds)
        return;
    m_host.SeekTo(position);
    emit Seeked(m_host.PositionMicroseconds());
}

} // namespace velmoro::shell
