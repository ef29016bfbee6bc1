#include "trackinfo/mpegaudiodata.h"

#include "trackinfo/recordfields.h"

#include <algorithm>
#include <cstring>

namespace velmoro::trackinfo {

namespace {

// Field offsets and string capacities of the stored record.
enum Offset : int {
    kHeader = 0,
    kTitle = 4,
    kArtist = 35,
    kAlbum = 66,
    kYear = 97,
    kComment = 102,
    kGenre = 133,
    kTrack = 134,
    kDuration = 135,
    kFileLength = 137,
    kVersion = 141,
    kLayer = 142,
    kSampleRate = 143,
    kBitRate = 147,
    kSpare = 151,
    kMode = 153,
    kCopyright = 154,
    kOriginal = 155,
    kErrorProt = 156,
    kPadding = 157,
    kFrameLength = 158,
    kCRC = 160,
    kFileName = 162,
    kFileDateTime = 418,
    kFileAttr = 422,
    kVolumeLabel = 424,
    kSelected = 445,
};

class Writer {
public:
    Writer() : m_bytes(kRecordSize, '\0') {}

    void Latin1(int at, int capacity, const QString& text) { Bytes(at, capacity, text.toLatin1()); }

    // Cuts on a character boundary so the stored name stays valid UTF-8.
    void Utf8(int at, int capacity, const QString& text)
    {
        QByteArray bytes = text.toUtf8();
        qsizetype end = std::min<qsizetype>(bytes.size(), capacity);
        while (end > 0 && end < bytes.size() && (std::uint8_t(bytes[end]) & 0xC0) == 0x80)
            --end;
        Bytes(at, capacity, bytes.left(end));
    }

    template <typename T> void Int(int at, T value)
    {
        auto v = std::make_unsigned_t<T>(value);
        for (std::size_t i = 0; i < sizeof(T); ++i)
            m_bytes[at + int(i)] = char(v >> (8 * i) & 0xFF);
    }

    QByteArray Take() { return std::move(m_bytes); }

private:
    void Bytes(int at, int capacity, QByteArrayView bytes)
    {
        const auto length = std::min<qsizetype>(bytes.size(), capacity);
        m_bytes[at] = char(length);
        if (length > 0)
            std::memcpy(m_bytes.data() + at + 1, bytes.data(), std::size_t(length));
    }

    QByteArray m_bytes;
};

} // namespace

bool IsValidUtf8(QByteArrayView bytes)
{
    qsizetype i = 0;
    const qsizetype n = bytes.size();
    while (i < n) {
        const auto c = std::uint8_t(bytes[i]);
        int follow = 0;
        std::uint32_t cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            follow = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            follow = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            follow = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + follow >= n)
            return false;
        for (int k = 1; k <= follow; ++k) {
            const auto cc = std::uint8_t(bytes[i + k]);
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = cp << 6 | (cc & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if ((follow == 2 && cp < 0x800) || (follow == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += follow + 1;
    }
    return true;
}

QByteArray SerializeRecord(const TMPEGAudioData& d)
{
    Writer w;
    w.Latin1(kHeader, 3, d.Header);
    w.Latin1(kTitle, 30, d.Title);
    w.Latin1(kArtist, 30, d.Artist);
    w.Latin1(kAlbum, 30, d.Album);
    w.Latin1(kYear, 4, d.Year);
    w.Latin1(kComment, 30, d.Comment);
    w.Int(kGenre, d.Genre);
    w.Int(kTrack, d.Track);
    w.Int(kDuration, d.Duration);
    w.Int(kFileLength, d.FileLength);
    w.Int(kVersion, d.Version);
    w.Int(kLayer, d.Layer);
    w.Int(kSampleRate, d.SampleRate);
    w.Int(kBitRate, d.BitRate);
    w.Int(kSpare, d.Spare);
    w.Int(kMode, d.Mode);
    w.Int<std::uint8_t>(kCopyright, d.Copyright);
    w.Int<std::uint8_t>(kOriginal, d.Original);
    w.Int<std::uint8_t>(kErrorProt, d.ErrorProt);
    w.Int<std::uint8_t>(kPadding, d.Padding);
    w.Int(kFrameLength, d.FrameLength);
    w.Int(kCRC, d.CRC);
    w.Utf8(kFileName, 255, d.FileName);
    w.Int(kFileDateTime, d.FileDateTime);
    w.Int(kFileAttr, d.FileAttr);
    w.Utf8(kVolumeLabel, 20, d.VolumeLabel);
    w.Int(kSelected, d.Selected);
    return w.Take();
}

bool ParseRecord(QByteArrayView bytes, TMPEGAudioData& d)
{
    if (bytes.size() < kRecordSize)
        return false;
    const RecordFieldReader r(bytes.first(kRecordSize));
    d.Header = r.Latin1(kHeader, 3);
    d.Title = r.Latin1(kTitle, 30);
    d.Artist = r.Latin1(kArtist, 30);
    d.Album = r.Latin1(kAlbum, 30);
    d.Year = r.Latin1(kYear, 4);
    d.Comment = r.Latin1(kComment, 30);
    d.Genre = r.Int<std::uint8_t>(kGenre);
    d.Track = r.Int<std::uint8_t>(kTrack);
    d.Duration = r.Int<std::uint16_t>(kDuration);
    d.FileLength = r.Int<std::int32_t>(kFileLength);
    d.Version = r.Int<std::uint8_t>(kVersion);
    d.Layer = r.Int<std::uint8_t>(kLayer);
    d.SampleRate = r.Int<std::int32_t>(kSampleRate);
    d.BitRate = r.Int<std::int32_t>(kBitRate);
    d.Spare = r.Int<std::uint16_t>(kSpare);
    d.Mode = r.Int<std::uint8_t>(kMode);
    d.Copyright = r.Bool(kCopyright);
    d.Original = r.Bool(kOriginal);
    d.ErrorProt = r.Bool(kErrorProt);
    d.Padding = r.Bool(kPadding);
    d.FrameLength = r.Int<std::uint16_t>(kFrameLength);
    d.CRC = r.Int<std::uint16_t>(kCRC);
    d.FileName = r.Name(kFileName, 255);
    d.FileDateTime = r.Int<std::int32_t>(kFileDateTime);
    d.FileAttr = r.Int<std::uint16_t>(kFileAttr);
    d.VolumeLabel = r.Name(kVolumeLabel, 20);
    d.Selected = r.Int<std::uint16_t>(kSelected);
    return true;
}

} // namespace velmoro::trackinfo
