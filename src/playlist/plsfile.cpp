// PLS lists: profile files whose [playlist] section holds NumberOfEntries
// and the keys File0, File1, ... naming the files.
#include "playlist/plsfile.h"

#include "platform/profilefile.h"
#include "playlist/busyscope.h"
#include "playlist/listpaths.h"
#include "playlist/mpegaudiolist.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace velmoro::playlist {

namespace {

QString Unquoted(QStringView text)
{
    QString value = text.trimmed().toString();
    if (value.size() >= 2 && value.front() == u'"' && value.back() == u'"')
        value = value.mid(1, value.size() - 2);
    if (value.size() > platform::ProfileFile::kMaxValueLength) {
        value.truncate(platform::ProfileFile::kMaxValueLength);
        if (value.back().isHighSurrogate())
            value.chop(1);
    }
    return value;
}

} // namespace

std::int64_t ParseEntryCount(const QString& text)
{
    QStringView digits(text);
    bool negative = false;
    if (digits.startsWith(u'-') || digits.startsWith(u'+')) {
        negative = digits.front() == u'-';
        digits = digits.sliced(1);
    }
    const bool hex = digits.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive);
    if (hex)
        digits = digits.sliced(2);
    bool ok = false;
    // Sign and prefix are taken off above, so the digits alone must convert.
    const std::int64_t value = digits.startsWith(u'-') || digits.startsWith(u'+')
                                   ? 0
                                   : std::int64_t(digits.toULongLong(&ok, hex ? 16 : 10));
    if (!ok || value > std::numeric_limits<std::int32_t>::max())
        return 0;
    return negative ? -value : value;
}

std::int64_t FileKeyNumber(QStringView key)
{
    if (!key.startsWith(QStringLiteral("file"), Qt::CaseInsensitive))
        return -1;
    const QStringView number = key.sliced(4);
    if (number.isEmpty() || (number.size() > 1 && number.front() == u'0') ||
        !std::all_of(number.begin(), number.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return -1;
    bool ok = false;
    const qulonglong k = number.toULongLong(&ok);
    return ok && k <= qulonglong(std::numeric_limits<std::int32_t>::max()) ? std::int64_t(k) : -1;
}

platform::LineUse PlsScanner::Take(const QString& text)
{
    const QStringView line = QStringView(text).trimmed();
    if (line.isEmpty() || line.startsWith(u';'))
        return platform::LineUse::NotEntry;
    if (line.startsWith(u'[')) {
        const qsizetype close = line.indexOf(u']');
        const QStringView name = line.sliced(1, (close < 0 ? line.size() : close) - 1).trimmed();
        m_inPlaylist = name.compare(QStringLiteral("playlist"), Qt::CaseInsensitive) == 0;
        return platform::LineUse::NotEntry;
    }
    const qsizetype equals = line.indexOf(u'=');
    if (!m_inPlaylist || equals <= 0)
        return platform::LineUse::NotEntry;
    const QStringView key = line.first(equals).trimmed();
    if (const std::int64_t k = FileKeyNumber(key); k >= 0) {
        m_files.push_back({k, Unquoted(line.sliced(equals + 1))});
        return platform::LineUse::Entry;
    }
    if (!m_countSeen && key.compare(QStringLiteral("NumberOfEntries"), Qt::CaseInsensitive) == 0) {
        m_countSeen = true;
        m_countText = Unquoted(line.sliced(equals + 1));
    }
    return platform::LineUse::NotEntry;
}

std::vector<PlsFile> PlsScanner::TakeFiles()
{
    std::vector<PlsFile> files = std::move(m_files);
    m_files.clear();
    const std::int64_t count = EntryCount();
    std::erase_if(files, [count](const PlsFile& file) { return file.number > count; });
    // Stable, so that of two equal keys the first in the file stays.
    std::stable_sort(files.begin(), files.end(),
                     [](const PlsFile& a, const PlsFile& b) { return a.number < b.number; });
    files.erase(std::unique(files.begin(), files.end(),
                            [](const PlsFile& a, const PlsFile& b) { return a.number == b.number; }),
                files.end());
    return files;
}

int TMPEGAudioList::LoadPLS(const QString& fileName)
{
    const BusyScope busy(m_busy, OnBusyChanged);
    PlsScanner scanner;
    if (const int read = ReadListLines(fileName, [&](const QString& line) { return scanner.Take(line); }))
        return read;
    const std::int64_t count = scanner.EntryCount();
    // Unlike an M3U list, the name is taken as given: a bare name makes the
    // entries relative to the current directory.
    const QString directory = DirectoryPart(fileName);
    int result = 0;
    // Only the keys the file holds are visited, in the order of k: a huge
    // count in a small file must not make the loader try billions of keys.
    for (const PlsFile& file : scanner.TakeFiles()) {
        if (!file.value.isEmpty() &&
            !AddListEntry(ResolveEntryName(file.value, directory), fileName, file.number + 1, count, result))
            return result;
        ProcessMessagesEvery30(file.number);
    }
    return result;
}

} // namespace velmoro::playlist
