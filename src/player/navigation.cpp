#include "player/navigation.h"

#include "platform/filenames.h"
#include "platform/verify.h"
#include "playlist/listpaths.h"
#include "player/timedisplay.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cmath>

namespace velmoro::player {

NavigationController::NavigationController(app::PlaybackState& playback, app::PlaylistState& tracks,
                                           settings::Settings& settings, audio::IAudioLibrary& audio,
                                           app::PlaybackEngine& engine, const SkinControls& skin)
    : m_playback(playback), m_tracks(tracks), m_settings(settings), m_audio(audio), m_engine(engine),
      m_skin(skin)
{
}

void NavigationController::OpenAndPlayCurrentEntry()
{
    VELMORO_VERIFY_OR_DEBUG_ASSERT(m_tracks.CurrentIndex >= 0 &&
                                   m_tracks.CurrentIndex < m_tracks.Playlist.Count())
    {
        return;
    }
    m_playback.CurrentFileName = m_tracks.Playlist.Items(m_tracks.CurrentIndex).GetFileName();
    if (playlist::IsStreamAddress(m_playback.CurrentFileName))
        return OpenAddressAndPlay(m_playback.CurrentFileName);
    m_engine.OpenStreamFile(m_playback.CurrentFileName);
    m_engine.PlayCurrentStream();
}

// A radio's entry is no missing file: it opens as the URL dialog opens it,
// and plays since the user asked for it.
void NavigationController::OpenAddressAndPlay(const QString& address)
{
    if (m_engine.OpenStream(address))
        m_engine.PlayCurrentStream();
}

void NavigationController::OpenCurrentEntryIfNothingIsOpen()
{
    if (m_playback.CurrentStream != 0 || m_tracks.Playlist.Count() == 0)
        return;
    m_tracks.CurrentIndex = std::clamp(m_tracks.CurrentIndex, 0, m_tracks.Playlist.Count() - 1);
    m_playback.CurrentFileName = m_tracks.Playlist.Items(m_tracks.CurrentIndex).GetFileName();
    // The play command that asked for this starts it.
    if (playlist::IsStreamAddress(m_playback.CurrentFileName))
        m_engine.OpenStream(m_playback.CurrentFileName);
    else
        m_engine.OpenStreamFile(m_playback.CurrentFileName);
}

void NavigationController::Next()
{
    const int count = m_tracks.Playlist.Count();
    if (count == 0)
        return;
    int& index = m_tracks.CurrentIndex;
    if (m_skin.ShuffleOn()) {
        // Every entry can be drawn; a draw of the current entry or the one
        // after it is drawn once more, and that second draw stands.
        int r = int(QRandomGenerator::global()->bounded(count));
        if (r == index || r == index + 1)
            r = int(QRandomGenerator::global()->bounded(count));
        index = r;
    } else {
        index = index + 1 > count - 1 ? 0 : index + 1;
    }
    OpenAndPlayCurrentEntry();
}

void NavigationController::Previous()
{
    const int count = m_tracks.Playlist.Count();
    if (count == 0)
        return;
    // From the first entry to the last; from past the end (the list shrank
    // behind CurrentIndex) to the last as well, the entry below that end.
    int& index = m_tracks.CurrentIndex;
    index = index - 1 < 0 || index - 1 > count - 1 ? count - 1 : index - 1;
    OpenAndPlayCurrentEntry();
}

NavigationController::FileKind NavigationController::AddToPlaylist(const QString& file)
{
    // Names keep their case: Linux file names are case-sensitive, so only the
    // extensions are compared in upper case.
    const QString ext = platform::UpperExtension(file);
    if (ext == u".M3U" || ext == u".PLS") {
        m_tracks.Playlist.LoadFile(file);
        return FileKind::PlaylistFile;
    }
    if (ext == u".MP3" || ext == u".MP1" || ext == u".MP2") {
        m_tracks.Playlist.AddFile(file);
        return FileKind::AudioFile;
    }
    return FileKind::Other;
}

void NavigationController::OpenAndAutoplay(const QString& file)
{
    m_playback.CurrentFileName = file;
    m_engine.OpenStreamFile(file);
    if (m_settings.Checked(QStringLiteral("AutoplayCheck")))
        m_engine.PlayCurrentStream();
}

void NavigationController::OpenFiles(const QStringList& files)
{
    if (files.isEmpty())
        return;
    for (const QString& file : files) {
        m_playback.CurrentFileName = file;
        AddToPlaylist(file);
    }
    // Whatever the first file is: a playlist file does not open as audio,
    // and the engine's open fails as it does for any such file.
    OpenAndAutoplay(files.first());
}

// After the program comes the file; an argument without quotes is not taken.
void NavigationController::OpenCommandLine(const QString& commandLine)
{
    const QString trimmed = commandLine.trimmed();
    const qsizetype programEnd = trimmed.startsWith(u'"') ? trimmed.indexOf(u'"', 1) : trimmed.indexOf(u' ');
    if (programEnd < 0)
        return;
    const QString line = trimmed.mid(programEnd + 1);
    const qsizetype open = line.indexOf(u'"');
    const qsizetype close = open < 0 ? -1 : line.indexOf(u'"', open + 1);
    if (close < 0)
        return;
    const QString file = line.mid(open + 1, close - open - 1);
    if (playlist::IsStreamAddress(file)) {
        m_tracks.Playlist.AddFile(file);
        m_playback.CurrentFileName = file;
        return OpenAddressAndPlay(file);
    }
    if (QFileInfo(file).isFile() && AddToPlaylist(file) == FileKind::AudioFile)
        OpenAndAutoplay(file);
}

void NavigationController::SeekTo(int x, int width)
{
    if (width <= 0)
        return;
    const double length = m_audio.StreamGetLength(m_playback.CurrentStream);
    // A button let go beside the bar seeks to its nearer end.
    const double fraction = double(std::clamp(x, 0, width)) / double(width);
    m_audio.ChannelSetPosition(m_playback.CurrentStream, std::uint32_t(std::trunc(length * fraction)));
}

// The current second as the refresh tick finds it, and the target byte of a
// jump to another second; without a length or a duration there is neither.
std::optional<NavigationController::JumpBase> NavigationController::CurrentJumpBase() const
{
    const std::uint32_t length = m_audio.StreamGetLength(m_playback.CurrentStream);
    const TrackTime t = ComputeTrackTime(m_audio.ChannelGetPosition(m_playback.CurrentStream), length,
                                         m_playback.TrackSeconds);
    if (!t.known || m_playback.TrackSeconds <= 0)
        return std::nullopt;
    return JumpBase{t.elapsed, double(length / 1000) * 1000};
}

double NavigationController::JumpTarget(const JumpBase& base, int second) const
{
    return std::trunc(double(second) / m_playback.TrackSeconds * base.lengthBytes);
}

void NavigationController::BackFiveSeconds()
{
    if (const auto base = CurrentJumpBase())
        m_audio.ChannelSetPosition(m_playback.CurrentStream,
                                   std::uint32_t(std::max(0.0, JumpTarget(*base, base->second - 5))));
}

void NavigationController::ForwardFiveSeconds()
{
    const auto base = CurrentJumpBase();
    if (!base)
        return;
    const double target = JumpTarget(*base, base->second + 5);
    if (target <= base->lengthBytes) // no jump past the end
        m_audio.ChannelSetPosition(m_playback.CurrentStream, std::uint32_t(target));
}

} // namespace velmoro::player
