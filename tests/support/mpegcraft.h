#pragma once
// Byte-level MPEG audio material for tests: frame headers from their fields,
// frames with empty payloads, and files made of them.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdint>

namespace velmoro::test {

struct HeaderFields {
    unsigned versionBits = 3; // 3 MPEG 1, 2 MPEG 2, 0 MPEG 2.5, 1 reserved
    unsigned layerBits = 1;   // 3 Layer I, 2 Layer II, 1 Layer III, 0 reserved
    unsigned protection = 1;  // 1 = no CRC
    unsigned bitRateIndex = 9;
    unsigned sampleRateIndex = 0;
    unsigned padding = 0;
    unsigned mode = 0;
    unsigned copyright = 0;
    unsigned original = 0;
};

inline std::uint32_t MakeHeader(const HeaderFields& f)
{
    return 0xFFE00000u | f.versionBits << 19 | f.layerBits << 17 | f.protection << 16 | f.bitRateIndex << 12 |
           f.sampleRateIndex << 10 | f.padding << 9 | f.mode << 6 | f.copyright << 3 | f.original << 2;
}

inline QByteArray HeaderBytes(std::uint32_t h)
{
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = char(h >> (24 - 8 * i) & 0xFF);
    return b;
}

// count frames of frameLength bytes, each a header followed by zeros.
inline QByteArray Frames(std::uint32_t h, int frameLength, int count)
{
    QByteArray frame = HeaderBytes(h);
    frame.append(QByteArray(frameLength - 4, '\0'));
    return frame.repeated(count);
}

inline QString WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return {};
    return path;
}

inline QByteArray ReadWholeFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// An ID3v2.3 tag of bodySize bytes (sync-safe size), its body filled with fill.
inline QByteArray Id3v2Tag(int bodySize, char fill, bool footer = false)
{
    QByteArray tag("ID3\x03\x00", 5);
    tag.append(char(footer ? 0x10 : 0x00));
    for (int shift = 21; shift >= 0; shift -= 7)
        tag.append(char(bodySize >> shift & 0x7F));
    tag.append(QByteArray(bodySize, fill));
    if (footer)
        tag.append(QByteArray("3DI\x03\x00", 5) + tag.mid(5, 5));
    return tag;
}

} // namespace velmoro::test
