// PLS lists: profile files whose [playlist] section holds NumberOfEntries
// and the keys File0, File1, ... naming the files.
#include "platform/profilefile.h"
#include "playlist/busyscope.h"
#include "playlist/listpaths.h"
#include "playlist/mpegaudiolist.h"
#include "playlist/plsfile.h"

#include <algorithm>
#include <limits>

namespace velmoro::playlist {

namespace {
const QString kSection = QStringLiteral("playlist");
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

std::vector<int> FileKeyNumbers(const QStringList& keys, std::int64_t count)
{
    std::vector<int> numbers;
    for (const QString& key : keys) {
        if (!key.startsWith(QStringLiteral("file"), Qt::CaseInsensitive))
            continue;
        const QStringView number = QStringView(key).sliced(4);
        // Only the spelling that "File" + a number gives: no sign, no
        // leading zeros, no blanks.
        if (number.isEmpty() || (number.size() > 1 && number.front() == u'0') ||
            !std::all_of(number.begin(), number.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
            continue;
        bool ok = false;
        const qulonglong k = number.toULongLong(&ok);
        if (ok && count >= 0 && k <= qulonglong(count))
            numbers.push_back(int(k));
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

int TMPEGAudioList::LoadPLS(const QString& fileName)
{
    const BusyScope busy(m_busy);
    platform::ProfileFile pls;
    const int read = ReadWithRetry(fileName, [&] { return pls.Load(fileName); });
    if (read != 0)
        return read;
    const std::int64_t count = ParseEntryCount(pls.Value(kSection, QStringLiteral("NumberOfEntries")));
    // Only the keys the file holds are visited, in the order of k: a huge
    // count in a small file must not make the loader try billions of keys.
    const std::vector<int> numbers = FileKeyNumbers(pls.Keys(kSection), count);
    // Unlike an M3U list, the name is taken as given: a bare name makes the
    // entries relative to the current directory.
    const QString directory = DirectoryPart(fileName);
    int result = 0;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const int k = numbers[i];
        const QString value = pls.Value(kSection, QStringLiteral("File") + QString::number(k));
        if (!value.isEmpty() &&
            !AddListEntry(ResolveEntryName(value, directory), fileName, k + 1, int(count), result))
            return result;
        ProcessMessagesEvery30(k);
    }
    return result;
}

} // namespace velmoro::playlist
