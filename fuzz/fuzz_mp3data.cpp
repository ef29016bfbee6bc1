// Playlist data files from arbitrary bytes: the header and every record
// layout parse without reading outside their bytes, and a load gives one of
// its results with records whose texts keep their fields' limits.
#include "fuzzscratch.h"
#include "playlist/datafile.h"
#include "playlist/mpegaudiolist.h"

#include <cstdlib>

using namespace velmoro::playlist;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    // Each layout straight on the bytes; a copy of exactly the record's size,
    // so that any read past it is caught.
    for (int version : {DataVersion100, DataVersion101, DataVersion102}) {
        const QByteArray record = bytes.left(DataRecordSize(version));
        velmoro::trackinfo::TMPEGAudioData d;
        if (ParseDataRecord(record, version, d) != (record.size() == DataRecordSize(version)))
            std::abort();
    }
    DataFileHeader header;
    if (ParseDataFileHeader(bytes, header) &&
        (header.recordsOffset > bytes.size() || header.recordsOffset < 13))
        std::abort();

    // With a valid signature most of the time, so the loader gets past it.
    QByteArray file = bytes;
    if (size > 0 && data[0] & 1)
        file.replace(0, std::min<qsizetype>(8, file.size()), QByteArray("\x07MP3DATA", 8));
    const QString path = velmoro::fuzz::ScratchDir("mp3data") + QStringLiteral("/list.dat");
    if (!velmoro::fuzz::WriteScratch(path, file))
        return 0;
    TMPEGAudioList list;
    const int result = list.LoadMP3Data(path);
    if (result < -3 || result > 0)
        std::abort();
    for (int i = 0; i < list.Count(); ++i) {
        const auto& d = list.Items(i).Data();
        if (d.Title.size() > 30 || d.Header.size() > 3 || d.Year.size() > 4 || d.FileName.size() > 255 ||
            d.VolumeLabel.size() > 20)
            std::abort();
    }
    return 0;
}
