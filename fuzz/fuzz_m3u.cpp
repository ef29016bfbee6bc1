// LoadFile on an arbitrary file named like an M3U list (so the recognition,
// the M3U reader and, for some inputs, the other readers run), then the list
// written back with relative paths and read again: no crash, no hang, and a
// written list reads back to as many entries as it has lines.
#include "fuzzscratch.h"
#include "playlist/mpegaudiolist.h"

#include <cstdlib>

using velmoro::playlist::TMPEGAudioList;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString dir = velmoro::fuzz::ScratchDir("m3u");
    const QString list = dir + QStringLiteral("/list.m3u");
    if (!velmoro::fuzz::WriteScratch(list, QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))))
        return 0;

    TMPEGAudioList playlist;
    playlist.SearchLimit = 4096; // names may point at large files of the system
    const int result = playlist.LoadFile(list);
    if (result < -3 || result >= std::max(playlist.Count(), 1))
        std::abort();

    const QString saved = dir + QStringLiteral("/saved.m3u");
    QFile::remove(saved);
    if (playlist.SaveM3U(saved, {.relativeNames = true}) != 0)
        std::abort();
    TMPEGAudioList back;
    back.SearchLimit = 4096;
    back.LoadM3U(saved);
    // Names with line breaks (possible in stored records) and relative names
    // that begin with "#" are what a list cannot hold.
    int unwritable = 0;
    for (int i = 0; i < playlist.Count(); ++i) {
        const QString name = playlist.Items(i).LocateFile();
        if (name.contains(u'\r') || name.contains(u'\n'))
            return 0;
        unwritable += name.startsWith(dir + u'/') && name.at(dir.size() + 1) == u'#';
    }
    if (back.Count() + unwritable != playlist.Count())
        std::abort();
    return 0;
}
