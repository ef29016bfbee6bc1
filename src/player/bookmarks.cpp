#include "player/bookmarks.h"

#include "platform/wholefile.h"

namespace velmoro::player {

namespace {
constexpr std::int64_t kMaxBookmarkFile = 16 * 1024 * 1024;
} // namespace

QStringList LoadBookmarks(const QString& path)
{
    QByteArray bytes;
    if (platform::ReadWholeFile(path, kMaxBookmarkFile, bytes) != 0)
        return {};
    const qsizetype end = bytes.indexOf('\0');
    if (end >= 0)
        bytes.truncate(end);
    return platform::SplitLines(platform::DecodeText(bytes)).lines;
}

int SaveBookmarks(const QString& path, const QStringList& bookmarks)
{
    QByteArray bytes;
    for (const QString& line : bookmarks)
        bytes += line.toUtf8() + "\r\n";
    return platform::WriteFileAtomically(path, bytes);
}

} // namespace velmoro::player
