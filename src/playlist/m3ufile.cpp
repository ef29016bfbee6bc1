// M3U lists: one file name per line, "#" lines are comments.
#include "platform/wholefile.h"
#include "playlist/busyscope.h"
#include "playlist/listpaths.h"
#include "playlist/mpegaudiolist.h"

#include <QFile>
#include <QFileInfo>

namespace velmoro::playlist {

namespace {

// The bytes an append must write: a line break first when the file's last
// line lacks one, else two names would merge into one line. The text is
// UTF-8 even in a Latin-1 list: lines are decoded one by one, so the old
// lines keep reading as they did.
QByteArray AppendedBytes(const QString& path, QString text)
{
    QFile file(path);
    if (!text.isEmpty() && file.open(QIODevice::ReadOnly) && file.size() > 0 && file.seek(file.size() - 1)) {
        char last = 0;
        if (file.getChar(&last) && last != '\n' && last != '\r')
            text.prepend(QStringLiteral("\r\n"));
    }
    return text.toUtf8();
}

} // namespace

int TMPEGAudioList::LoadM3U(const QString& fileName)
{
    const BusyScope busy(m_busy, OnBusyChanged);
    const QString path = FullPath(fileName);
    const QString directory = DirectoryPart(path);
    qint64 lineCount = 0;
    qint64 i = 0;
    int result = 0;
    const int read = ReadListLines(
        path,
        [&](const QString& line) {
            const qint64 number = ++i;
            // An empty line names no file: reading it as the list's own
            // directory would only add a broken entry.
            const bool entry = !line.isEmpty() && !line.startsWith(u'#');
            if (entry && !AddListEntry(ResolveEntryName(line, directory), path, number, lineCount, result))
                return platform::LineUse::Stop;
            ProcessMessagesEvery30(number - 1);
            return entry ? platform::LineUse::Entry : platform::LineUse::NotEntry;
        },
        [&](platform::TextLineReader& reader) { lineCount = reader.CountLines(); });
    return read != 0 ? read : result;
}

int TMPEGAudioList::SaveM3U(const QString& fileName, const M3USaveOptions& options)
{
    if (m_entries.empty())
        return 0;
    const BusyScope busy(m_busy, OnBusyChanged);
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
        // An address is no path: it is written as it was read.
        const QString name = IsAddress(entry.GetFileName()) ? entry.GetFileName() : entry.LocateFile();
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
        error = platform::AppendToFile(path, AppendedBytes(path, text));
    } else {
        error = platform::WriteFileAtomically(path, platform::EncodeText(text));
    }
    return error != 0 ? -1 : result;
}

} // namespace velmoro::playlist
