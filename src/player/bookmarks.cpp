#include "player/bookmarks.h"

#include "platform/logging.h"
#include "platform/wholefile.h"

#include <cerrno>

namespace velmoro::player {

namespace {
constexpr std::int64_t kMaxBookmarkFile = 16 * 1024 * 1024;
} // namespace

QStringList BookmarkFile::Load(const QString& path)
{
    m_path = path;
    QByteArray bytes;
    const int error = platform::ReadWholeFile(path, kMaxBookmarkFile, bytes);
    if (error == ENOENT) {
        m_state = State::Readable;
        return {};
    }
    if (error != 0) {
        m_state = State::Unreadable;
        qCWarning(lcPlayer).nospace() << "the bookmarks in " << path << " cannot be read ("
                                      << qPrintable(qt_error_string(error)) << "): the file is kept as it is";
        return {};
    }
    m_state = State::Readable;
    const qsizetype end = bytes.indexOf('\0');
    if (end >= 0)
        bytes.truncate(end);
    return platform::SplitLines(platform::DecodeText(bytes)).lines;
}

int BookmarkFile::Save(const QStringList& bookmarks) const
{
    if (m_state == State::NotRead)
        return 0;
    if (m_state == State::Unreadable) {
        if (!bookmarks.isEmpty())
            qCWarning(lcPlayer) << bookmarks.size() << "bookmarks are not saved: the unreadable" << m_path
                                << "is kept as it is";
        return 0;
    }
    QByteArray bytes;
    for (const QString& line : bookmarks)
        bytes += line.toUtf8() + "\r\n";
    return platform::WriteFileAtomically(m_path, bytes);
}

} // namespace velmoro::player
