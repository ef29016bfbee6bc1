#include "playlist/datafile.h"

#include "platform/filedate.h"
#include "trackinfo/recordfields.h"

#include <QDateTime>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace velmoro::playlist {

namespace {

// Where the fields of the two older layouts lie. The tag fields up to Track
// share their offsets; FileName differs in size too.
struct OldLayout {
    int duration, fileLength, version, layer, sampleRate, bitRate, spare, mode, copyright, original,
        errorProt, crc, fileName, fileNameCapacity, fileDateTime, fileAttr, volumeLabel;
};
constexpr OldLayout kLayout100{136, 140, 144, 145, 146, 152, 156, 158, 159,
                               160, 161, 162, 164, 159, 324, 332, 336};
constexpr OldLayout kLayout101{135, 137, 141, 142, 143, 149, 153, 155, 156,
                               157, 158, 159, 161, 79,  241, 249, 253};

using FieldReader = trackinfo::RecordFieldReader;

std::int32_t KilohertzToHertz(double khz)
{
    const double hz = std::nearbyint(khz * 1000.0); // ties to even in the default rounding mode
    if (!std::isfinite(hz) || hz < std::numeric_limits<std::int32_t>::min() ||
        hz > std::numeric_limits<std::int32_t>::max())
        return 0;
    return std::int32_t(hz);
}

void ParseOldRecord(const FieldReader& r, const OldLayout& at, trackinfo::TMPEGAudioData& d)
{
    d.Header = r.Latin1(0, 3);
    d.Title = r.Latin1(4, 30);
    d.Artist = r.Latin1(35, 30);
    d.Album = r.Latin1(66, 30);
    d.Year = r.Latin1(97, 4);
    d.Comment = r.Latin1(102, 30);
    d.Genre = r.Int<std::uint8_t>(133);
    d.Track = r.Int<std::uint8_t>(134);
    d.Duration = r.Int<std::uint16_t>(at.duration);
    d.FileLength = r.Int<std::int32_t>(at.fileLength);
    d.Version = r.Int<std::uint8_t>(at.version);
    d.Layer = r.Int<std::uint8_t>(at.layer);
    d.SampleRate = KilohertzToHertz(Real48ToDouble(r.Raw(at.sampleRate, 6)));
    d.BitRate = r.Int<std::int32_t>(at.bitRate);
    d.Spare = r.Int<std::uint16_t>(at.spare);
    d.Mode = r.Int<std::uint8_t>(at.mode);
    d.Copyright = r.Bool(at.copyright);
    d.Original = r.Bool(at.original);
    d.ErrorProt = r.Bool(at.errorProt);
    d.CRC = r.Int<std::uint16_t>(at.crc);
    d.FileName = r.Name(at.fileName, at.fileNameCapacity);
    d.FileDateTime = PackedFromDays(r.Double(at.fileDateTime));
    d.FileAttr = r.Int<std::uint16_t>(at.fileAttr);
    d.VolumeLabel = r.Name(at.volumeLabel, 20);
}

} // namespace

double Real48ToDouble(QByteArrayView six)
{
    const auto byte = [&](int i) { return std::uint8_t(six[i]); };
    if (six.size() < 6 || byte(0) == 0)
        return 0.0;
    std::uint64_t mantissa = byte(5) & 0x7F;
    for (int i = 4; i >= 1; --i)
        mantissa = mantissa << 8 | byte(i);
    const double value = std::ldexp(1.0 + std::ldexp(double(mantissa), -39), int(byte(0)) - 129);
    return byte(5) & 0x80 ? -value : value;
}

std::int32_t PackedFromDays(double days)
{
    // Beyond this no year can lie in the accepted range; the bound also keeps
    // the conversion to milliseconds exact and in range.
    if (!std::isfinite(days) || std::abs(days) > 1e6)
        return 0;
    constexpr std::int64_t kMsPerDay = 86'400'000;
    const auto ms = std::int64_t(std::llround(days * double(kMsPerDay)));
    const std::int64_t day = ms >= 0 ? ms / kMsPerDay : -((-ms + kMsPerDay - 1) / kMsPerDay);
    const std::int64_t msOfDay = ms - day * kMsPerDay;
    const QDate date = QDate(1899, 12, 30).addDays(day);
    if (date.year() < 1980 || date.year() > 2099)
        return 0;
    // Packed field by field: no time zone may move the stored moment.
    const QDateTime moment(date, QTime::fromMSecsSinceStartOfDay(int(msOfDay)), Qt::UTC);
    return platform::PackDateTime(moment);
}

int DataRecordSize(int version)
{
    switch (version) {
    case DataVersion100:
        return 408;
    case DataVersion101:
        return 324;
    default:
        return trackinfo::kRecordSize;
    }
}

bool ParseDataRecord(QByteArrayView record, int version, trackinfo::TMPEGAudioData& d)
{
    if (record.size() < DataRecordSize(version))
        return false;
    switch (version) {
    case DataVersion100:
        ParseOldRecord(FieldReader(record), kLayout100, d);
        return true;
    case DataVersion101:
        ParseOldRecord(FieldReader(record), kLayout101, d);
        return true;
    case DataVersion102:
        return trackinfo::ParseRecord(record, d);
    default:
        return false;
    }
}

bool ParseDataFileHeader(QByteArrayView head, DataFileHeader& header)
{
    if (head.size() < 11 || std::uint8_t(head[0]) < 7 || head.sliced(1, 7) != "MP3DATA")
        return false;
    const int version = std::uint8_t(head[8]) << 8 | std::uint8_t(head[9]);
    qsizetype at = 10;
    at += 1 + std::uint8_t(head[at]); // the description, not used
    at += 1;                          // one byte, not used
    const int sizeBytes = version == DataVersion100 ? 1 : 2;
    if (head.size() < at + sizeBytes)
        return false;
    const int extra =
        sizeBytes == 1 ? std::uint8_t(head[at]) : qFromLittleEndian<std::uint16_t>(head.data() + at);
    at += sizeBytes + extra; // the extra block, not used
    if (head.size() < at)
        return false;
    header.version = version;
    header.recordsOffset = at;
    return true;
}

} // namespace velmoro::playlist
