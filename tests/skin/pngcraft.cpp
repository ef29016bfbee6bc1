// PNG pictures for the tests, honest or with a forged size, and cursors that
// carry them.
#include "skincraft.h"

#include <QBuffer>

namespace velmoro::test {

namespace {

void PutLittle(QByteArray& out, quint32 v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char(v >> (8 * i) & 0xFF));
}

void PutBig32(QByteArray& out, qsizetype at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = char(v >> (24 - 8 * i) & 0xFF);
}

quint32 Crc32(QByteArrayView bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char b : bytes) {
        crc ^= quint8(b);
        for (int bit = 0; bit < 8; ++bit)
            crc = crc >> 1 ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

} // namespace

QByteArray EncodePng(const QImage& image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

QByteArray PngClaimingSize(quint32 width, quint32 height)
{
    QImage pixel(1, 1, QImage::Format_RGB32);
    pixel.fill(qRgb(1, 2, 3));
    QByteArray png = EncodePng(pixel);
    // The signature (8 bytes), then IHDR: length, type, width, height, ..., CRC.
    constexpr qsizetype kType = 12;
    constexpr qsizetype kDataLength = 13;
    PutBig32(png, kType + 4, width);
    PutBig32(png, kType + 8, height);
    PutBig32(png, kType + 4 + kDataLength, Crc32(QByteArrayView(png).sliced(kType, 4 + kDataLength)));
    return png;
}

QByteArray CraftCursorOfPictures(const std::vector<QByteArray>& pictures, const std::vector<int>& entries)
{
    QByteArray out;
    PutLittle(out, 0, 2);
    PutLittle(out, 2, 2);
    PutLittle(out, quint32(entries.size()), 2);
    std::vector<quint32> offsets;
    quint32 at = quint32(6 + 16 * entries.size());
    for (const QByteArray& picture : pictures) {
        offsets.push_back(at);
        at += quint32(picture.size());
    }
    for (const int index : entries) {
        PutLittle(out, 0, 4); // width, height, colours, reserved: the picture's own count
        PutLittle(out, 0, 4); // hotspot
        PutLittle(out, quint32(pictures[std::size_t(index)].size()), 4);
        PutLittle(out, offsets[std::size_t(index)], 4);
    }
    for (const QByteArray& picture : pictures)
        out.append(picture);
    return out;
}

} // namespace velmoro::test
