#include "playlist/datafile.h"

#include "platform/fileio.h"
#include "platform/logging.h"
#include "playlist/busyscope.h"
#include "playlist/mpegaudiolist.h"

#include <QByteArray>

#include <algorithm>
#include <limits>

namespace velmoro::playlist {

namespace {
// Records are read in blocks of this many, not one system call each.
constexpr std::int64_t kRecordsPerRead = 64;
} // namespace

int TMPEGAudioList::LoadMP3Data(const QString& fileName)
{
    const BusyScope busy(m_busy, OnBusyChanged);
    const auto failed = [&](int result, const QString& reason) {
        qCWarning(lcPlaylist) << "cannot load the data file" << fileName << "-" << qPrintable(reason);
        return result;
    };
    platform::NativeFile file;
    if (const int error = file.Open(fileName, platform::NativeFile::Mode::ReadOnly))
        return failed(-1, qt_error_string(error));
    const std::int64_t size = file.Size();
    if (size < 0)
        return failed(-1, QStringLiteral("its size is unknown"));
    QByteArray head(qsizetype(std::min<std::int64_t>(size, kMaxDataHeaderSize)), Qt::Uninitialized);
    if (file.ReadAt(0, head.data(), head.size()) != head.size())
        return failed(-1, QStringLiteral("its header cannot be read"));
    DataFileHeader header;
    if (!ParseDataFileHeader(head, header))
        return failed(-1, QStringLiteral("no data file signature, or a header cut short"));
    const int recordSize = DataRecordSize(header.version);
    const std::int64_t bytes = size - header.recordsOffset;
    if (bytes % recordSize != 0)
        return failed(
            -3, QStringLiteral("%1 bytes are no whole number of %2-byte records").arg(bytes).arg(recordSize));
    const std::int64_t count = bytes / recordSize;
    if (header.version != DataVersion100 && header.version != DataVersion101 &&
        header.version != DataVersion102)
        return failed(-1,
                      QStringLiteral("unknown version 0x%1").arg(header.version, 4, 16, QLatin1Char('0')));

    TMPEGAudio resetEntry;
    resetEntry.ResetData();
    const TMPEGAudioData resetRecord = resetEntry.Data();
    const int total = int(std::min<std::int64_t>(count, std::numeric_limits<int>::max()));
    QByteArray block;
    for (std::int64_t first = 0; first < count; first += kRecordsPerRead) {
        const std::int64_t inBlock = std::min(kRecordsPerRead, count - first);
        block.resize(qsizetype(inBlock * recordSize));
        if (file.ReadAt(header.recordsOffset + first * recordSize, block.data(), block.size()) !=
            block.size()) {
            // The entries read so far stay.
            return failed(-1, QStringLiteral("read error after %1 records").arg(first));
        }
        for (std::int64_t i = 0; i < inBlock; ++i) {
            TMPEGAudioData record = resetRecord;
            ParseDataRecord(QByteArrayView(block).sliced(qsizetype(i * recordSize), recordSize),
                            header.version, record);
            AddRecord(record);
            const std::int64_t number = first + i + 1;
            if (OnProgress &&
                !OnProgress(*m_entries.back(), fileName, int(std::min<std::int64_t>(number, total)), total))
                return -2;
            ProcessMessagesEvery30(number);
        }
    }
    return 0;
}

} // namespace velmoro::playlist
