// M3U lists: one file name per line, "#" lines are comments.
#include "platform/wholefile.h"
#include "playlist/busyscope.h"
#include "playlist/listpaths.h"
#include "playlist/mpegaudiolist.h"

#include <QFileInfo>

#include <algorithm>

namespace velmoro::playlist {

namespace {

// Far beyond any real list (some 300,000 entries); larger files are not read.
constexpr qint64 kMaxListSize = 32 * 1024 * 1024;

// What appending text to a file with these bytes must write: a line break
// first when the last line lacks one (else two names would merge into one
// line), and Latin-1 when the file is Latin-1 (else its next reading would
// decode the new names wrongly), as far as the names allow.
QByteArray AppendedBytes(const QByteArray& existing, QString text)
{
    if (!text.isEmpty() && !existing.isEmpty() && !existing.endsWith('\n') && !existing.endsWith('\r'))
        text.prepend(QStringLiteral("\r\n"));
    const bool latin1File = !trackinfo::IsValidUtf8(existing);
    const bool latin1Text =
        std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x100; });
    return latin1File && latin1Text ? text.toLatin1() : text.toUtf8();
}

} // namespace

int TMPEGAudioList::LoadM3U(const QString& fileName)
{
    const BusyScope busy(m_busy);
    const QString path = FullPath(fileName);
    QByteArray bytes;
    const int read = ReadWithRetry(path, [&] { return platform::ReadWholeFile(path, kMaxListSize, bytes); });
    if (read != 0)
        return read;
    const QStringList lines = platform::SplitLines(platform::DecodeText(bytes)).lines;
    bytes.clear();
    const QString directory = DirectoryPart(path);
    int result = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        // An empty line names no file: reading it as the list's own
        // directory would only add a broken entry.
        if (!line.isEmpty() && !line.startsWith(u'#') &&
            !AddListEntry(ResolveEntryName(line, directory), path, i + 1, int(lines.size()), result))
            return result;
        ProcessMessagesEvery30(i);
    }
    return result;
}

int TMPEGAudioList::SaveM3U(const QString& fileName, const M3USaveOptions& options)
{
    if (m_entries.empty())
        return 0;
    const BusyScope busy(m_busy);
    const QString path = FullPath(fileName);
    const QString directory = DirectoryPart(path);
    QString text;
    int result = 0;
    for (int i = 0; i < Count(); ++i) {
        const TMPEGAudio& entry = *m_entries[std::size_t(i)];
        if (options.selectedOnly && entry.Data().Selected == 0)
            continue;
        if (options.validOnly && !entry.IsValid())
            continue;
        const QString name = entry.LocateFile();
        if (OnSaveProgress && !OnSaveProgress(entry, i + 1)) {
            result = -2; // the lines before this one are still written
            break;
        }
        text += options.relativeNames ? RelativeTo(name, directory) : name;
        text += QStringLiteral("\r\n");
    }

    // A failed write is logged, with its reason, where it happened.
    int error = 0;
    if (options.append && QFileInfo(path).isFile()) {
        QByteArray existing;
        platform::ReadWholeFile(path, kMaxListSize, existing);
        error = platform::AppendToFile(path, AppendedBytes(existing, text));
    } else {
        error = platform::WriteFileAtomically(path, text.toUtf8());
    }
    return error != 0 ? -1 : result;
}

} // namespace velmoro::playlist
