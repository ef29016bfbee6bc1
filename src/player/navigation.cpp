// What plays and where: next and previous entry, opening files, seeking and
// the five-second jumps.
#include "player/playerform.h"

#include "player/timedisplay.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cmath>

namespace velmoro::player {

namespace {

QString UpperExtension(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot).toUpper();
}

bool IsPlaylistFile(const QString& path)
{
    const QString ext = UpperExtension(path);
    return ext == u".M3U" || ext == u".PLS";
}

bool IsAudioFile(const QString& path)
{
    const QString ext = UpperExtension(path);
    return ext == u".MP3" || ext == u".MP1" || ext == u".MP2";
}

} // namespace

void TPlayerForm::OpenAndPlayCurrentEntry()
{
    m_state.CurrentFileName = m_state.Playlist.Items(m_state.CurrentIndex).GetFileName();
    Engine.OpenStreamFile(m_state.CurrentFileName);
    Engine.PlayCurrentStream();
}

void TPlayerForm::MainPlayerSkinForwardClick()
{
    const int count = m_state.Playlist.Count();
    if (count == 0)
        return;
    if (MainPlayerSkin->ShuffleOn) {
        // Every entry can be drawn; a draw of the current entry or the one
        // after it is drawn once more, and that second draw stands.
        int r = int(QRandomGenerator::global()->bounded(count));
        if (r == m_state.CurrentIndex || r == m_state.CurrentIndex + 1)
            r = int(QRandomGenerator::global()->bounded(count));
        m_state.CurrentIndex = r;
    } else {
        m_state.CurrentIndex = m_state.CurrentIndex + 1 > count - 1 ? 0 : m_state.CurrentIndex + 1;
    }
    OpenAndPlayCurrentEntry();
}

void TPlayerForm::MainPlayerSkinBackClick()
{
    const int count = m_state.Playlist.Count();
    if (count == 0)
        return;
    m_state.CurrentIndex = m_state.CurrentIndex - 1 < 0 ? count - 1 : m_state.CurrentIndex - 1;
    OpenAndPlayCurrentEntry();
}

void TPlayerForm::MainPlayerSkinEjectClick()
{
    const QStringList files =
        OpenDialog
            ? OpenDialog()
            : QFileDialog::getOpenFileNames(this, QStringLiteral("Apri File"), QString(),
                                            QStringLiteral("File Musicali (mp1 mp2 mp3) (*.mp1 *.mp2 *.mp3 "
                                                           "*.MP1 *.MP2 *.MP3);;Play List (*.pls *.m3u "
                                                           "*.PLS *.M3U)"));
    OpenFiles(files);
}

// Names keep their case: Linux file names are case-sensitive, so only the
// extensions are compared in upper case.
void TPlayerForm::OpenFiles(const QStringList& files)
{
    if (files.isEmpty())
        return;
    for (const QString& file : files) {
        m_state.CurrentFileName = file;
        if (IsPlaylistFile(file))
            m_state.Playlist.LoadFile(file);
        else if (IsAudioFile(file))
            m_state.Playlist.AddFile(file);
    }
    m_state.CurrentFileName = files.first();
    Engine.OpenStreamFile(m_state.CurrentFileName);
    if (m_settings.Checked(QStringLiteral("AutoplayCheck")))
        Engine.PlayCurrentStream();
}

void TPlayerForm::PositionChangeImageMouseUp(Qt::MouseButton button, int x)
{
    if (button == Qt::RightButton)
        return;
    const double length = m_audio.StreamGetLength(m_state.CurrentStream);
    const double fraction = double(x) / double(PositionChangeImage->width());
    m_audio.ChannelSetPosition(m_state.CurrentStream, std::uint32_t(std::trunc(length * fraction)));
}

// The current second as the refresh tick finds it, and the target byte of a
// jump to another second; without a length or a duration there is neither.
std::optional<TPlayerForm::JumpBase> TPlayerForm::CurrentJumpBase() const
{
    const std::uint32_t length = m_audio.StreamGetLength(m_state.CurrentStream);
    const TrackTime t =
        ComputeTrackTime(m_audio.ChannelGetPosition(m_state.CurrentStream), length, m_state.TrackSeconds);
    if (!t.known || m_state.TrackSeconds <= 0)
        return std::nullopt;
    return JumpBase{t.elapsed, double(length / 1000) * 1000};
}

double TPlayerForm::JumpTarget(const JumpBase& base, int second) const
{
    return std::trunc(double(second) / m_state.TrackSeconds * base.lengthBytes);
}

void TPlayerForm::Indietrodi5sec1Click()
{
    if (const auto base = CurrentJumpBase())
        m_audio.ChannelSetPosition(m_state.CurrentStream,
                                   std::uint32_t(std::max(0.0, JumpTarget(*base, base->second - 5))));
}

void TPlayerForm::Avantidi5sec1Click()
{
    const auto base = CurrentJumpBase();
    if (!base)
        return;
    const double target = JumpTarget(*base, base->second + 5);
    if (target <= base->lengthBytes) // no jump past the end
        m_audio.ChannelSetPosition(m_state.CurrentStream, std::uint32_t(target));
}

// The line is the program and its arguments, each in double quotes, as the
// registered open command writes it. After the program comes the file; an
// argument without quotes is not taken.
void TPlayerForm::OpenCommandLine(const QString& commandLine)
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
    if (!QFileInfo(file).isFile())
        return;
    if (IsPlaylistFile(file)) {
        m_state.Playlist.LoadFile(file);
    } else if (IsAudioFile(file)) {
        m_state.CurrentFileName = file;
        m_state.Playlist.AddFile(file);
        Engine.OpenStreamFile(file);
        if (m_settings.Checked(QStringLiteral("AutoplayCheck")))
            Engine.PlayCurrentStream();
    }
}

} // namespace velmoro::player
