// Profile files from arbitrary text: reading never fails or runs away, values
// keep their limits, and writing one key changes that key and nothing else a
// reader sees. The same text is also loaded as a PLS list.
#include "fuzzscratch.h"
#include "platform/profilefile.h"
#include "playlist/mpegaudiolist.h"

#include <cstdlib>

using velmoro::platform::ProfileFile;

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
    velmoro::playlist::TMPEGAudioList playlist;
    playlist.SearchLimit = 4096;
    const int result = playlist.LoadPLS(list);
    if (result < -2 || result >= std::max(playlist.Count(), 1))
        std::abort();
    return 0;
}
