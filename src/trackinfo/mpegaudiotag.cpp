#include "trackinfo/mpegaudio.h"

#include "platform/fileio.h"
#include "platform/logging.h"
#include "trackinfo/genres.h"
#include "trackinfo/id3v1.h"

#include <QFileInfo>

#include <cerrno>

namespace velmoro::trackinfo {

bool TMPEGAudio::HasTag() const
{
    return m_data.Header == u"TAG";
}

QString TMPEGAudio::DisplayTitle() const
{
    return HasTag() || UnknownTitle.isEmpty() ? m_data.Title : UnknownTitle;
}

QString TMPEGAudio::DisplayArtist() const
{
    return HasTag() || UnknownArtist.isEmpty() ? m_data.Artist : UnknownArtist;
}

QString TMPEGAudio::GenreText() const
{
    return GenreName(m_data.Genre);
}

void TMPEGAudio::SetTitle(const QString& value)
{
    m_data.Title = value.left(30);
    RebuildText();
}

void TMPEGAudio::SetArtist(const QString& value)
{
    m_data.Artist = value.left(30);
    RebuildText();
}

void TMPEGAudio::SetAlbum(const QString& value)
{
    m_data.Album = value.left(30);
    RebuildText();
}

void TMPEGAudio::SetYear(const QString& value)
{
    m_data.Year = value.left(4);
    RebuildText();
}

void TMPEGAudio::SetComment(const QString& value)
{
    m_data.Comment = value.left(30);
    RebuildText();
}

void TMPEGAudio::SetGenre(std::uint8_t value)
{
    m_data.Genre = value;
    RebuildText();
}

void TMPEGAudio::SetTrack(std::uint8_t value)
{
    m_data.Track = value;
    RebuildText();
}

void TMPEGAudio::SetSelected(std::uint16_t value)
{
    m_data.Selected = value;
    RebuildText();
}

namespace {

// The file's existing tag, when its last 128 bytes are one.
bool ReadExistingTag(const platform::NativeFile& file, std::int64_t size, QByteArray& block)
{
    if (size <= kTagSize)
        return false;
    block.resize(kTagSize);
    return file.ReadAt(size - kTagSize, block.data(), kTagSize) == kTagSize && IsId3v1Tag(block);
}

// The result of a tag change, its failure logged: −1 stands for a missing
// file, anything else for the system's error code.
int TagResult(const char* action, const QString& path, int error)
{
    if (error != 0)
        qCWarning(lcTrackInfo) << "cannot" << action << "the tag of" << path << "-"
                               << qPrintable(error == -1 ? QStringLiteral("not a file")
                                                         : qt_error_string(error));
    return error;
}

} // namespace

int TMPEGAudio::WriteTag()
{
    const QString path = m_data.FileName;
    if (!QFileInfo(path).isFile())
        return TagResult("write", path, -1);
    const QByteArray newTag = BuildId3v1(m_data);

    // The tag is written in place (over the old one, or after the audio) so the
    // file is never without a tag and no audio byte is touched; a failed write
    // puts back what was there.
    platform::NativeFile file;
    int error = file.Open(path, platform::NativeFile::Mode::ReadWrite);
    if (error == 0) {
        const std::int64_t size = file.Size();
        QByteArray oldTag;
        if (size < 0) {
            error = EIO;
        } else if (ReadExistingTag(file, size, oldTag)) {
            error = file.WriteAt(size - kTagSize, newTag.constData(), kTagSize);
            if (error != 0)
                file.WriteAt(size - kTagSize, oldTag.constData(), kTagSize);
        } else {
            error = file.WriteAt(size, newTag.constData(), kTagSize);
            if (error != 0)
                file.Truncate(size);
        }
        if (error == 0)
            error = file.Sync();
        file.Close();
    }
    ReadData();
    return TagResult("write", path, error);
}

int TMPEGAudio::RemoveTag()
{
    const QString path = m_data.FileName;
    if (!QFileInfo(path).isFile())
        return TagResult("remove", path, -1);
    platform::NativeFile file;
    int error = file.Open(path, platform::NativeFile::Mode::ReadWrite);
    if (error == 0) {
        const std::int64_t size = file.Size();
        QByteArray oldTag;
        if (size >= 0 && ReadExistingTag(file, size, oldTag))
            error = file.Truncate(size - kTagSize);
        file.Close();
    }
    ReadData();
    return TagResult("remove", path, error);
}

} // namespace velmoro::trackinfo
