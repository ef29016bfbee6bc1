// Profile files from arbitrary text: reading never fails or runs away, values
// keep their limits, and writing one key changes that key and nothing else a
// reader sees. The same text is also loaded as a PLS list, whose line-by-line
// reader must find the entries that the whole-file profile reader finds.
#include "fuzzscratch.h"
#include "platform/profilefile.h"
#include "playlist/listpaths.h"
#include "playlist/mpegaudiolist.h"
#include "playlist/plsfile.h"

#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <cstdlib>

using velmoro::platform::ProfileFile;
using namespace velmoro::playlist;

namespace {

// The names LoadPLS must give, as the profile reader sees the file: the File
// keys 0..NumberOfEntries with a value, in ascending order, each resolved as
// a list entry and made absolute as reading a file makes it.
QStringList ExpectedNames(const ProfileFile& file, const QString& list)
{
    const QString section = QStringLiteral("playlist");
    const std::int64_t count = ParseEntryCount(file.Value(section, QStringLiteral("NumberOfEntries")));
    std::vector<std::pair<std::int64_t, QString>> keys;
    for (const QString& key : file.Keys(section)) {
        const std::int64_t k = FileKeyNumber(key);
        if (k >= 0 && k <= count && !file.Value(section, key).isEmpty())
            keys.emplace_back(k, file.Value(section, key));
    }
    std::sort(keys.begin(), keys.end());
    QStringList names;
    for (const auto& [k, value] : keys) {
        const QString name = ResolveEntryName(value, DirectoryPart(list));
        names << (IsAddress(name) ? name : QDir::cleanPath(QFileInfo(name).absoluteFilePath()));
    }
    return names;
}

bool IsUtf8(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    [[maybe_unused]] const QString text = utf8(bytes);
    return !utf8.hasError();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    ProfileFile file;
    file.Parse(bytes);
    const QStringList keys = file.Keys(QStringLiteral("playlist"));
    for (const QString& key : keys) {
        if (file.Value(QStringLiteral("playlist"), key).size() > ProfileFile::kMaxValueLength)
            std::abort();
    }

    const QString other = QStringLiteral("NumberOfEntries");
    const QString before = file.Value(QStringLiteral("PLAYLIST"), other, QStringLiteral("<none>"));
    file.SetValue(QStringLiteral("Playlist"), QStringLiteral("File1"), QStringLiteral(" /a \"b\".mp3\n"));
    ProfileFile again;
    again.Parse(file.ToBytes());
    if (again.Value(QStringLiteral("playlist"), QStringLiteral("file1")) != QStringLiteral("/a \"b\".mp3") ||
        again.Value(QStringLiteral("playlist"), other, QStringLiteral("<none>")) != before)
        std::abort();

    const QString list = velmoro::fuzz::ScratchDir("pls") + QStringLiteral("/list.pls");
    if (!velmoro::fuzz::WriteScratch(list, bytes))
        return 0;
    TMPEGAudioList playlist;
    playlist.SearchLimit = 4096;
    const int result = playlist.LoadPLS(list);
    if (result < -2 || result >= std::max(playlist.Count(), 1))
        std::abort();
    // Only a file that is UTF-8 throughout decodes alike whole and by lines.
    if (IsUtf8(bytes)) {
        ProfileFile whole;
        whole.Parse(bytes);
        QStringList names;
        for (int i = 0; i < playlist.Count(); ++i)
            names << playlist.Items(i).GetFileName();
        if (names != ExpectedNames(whole, list))
            std::abort();
    }
    return 0;
}
