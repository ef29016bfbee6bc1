#include "skin/skinwriter.h"

namespace velmoro::skin {

namespace {

void Put16(QByteArray& out, quint16 v)
{
    out.append(char(v & 0xFF)).append(char(v >> 8));
}

void Put32(QByteArray& out, quint32 v)
{
    Put16(out, quint16(v & 0xFFFF));
    Put16(out, quint16(v >> 16));
}

void PutInfoHeader(QByteArray& out, int width, int height, int bits, quint32 imageBytes)
{
    Put32(out, 40);
    Put32(out, quint32(width));
    Put32(out, quint32(height));
    Put16(out, 1);
    Put16(out, quint16(bits));
    Put32(out, 0); // BI_RGB
    Put32(out, imageBytes);
    Put32(out, 2835); // 72 dpi
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
}

} // namespace

QByteArray EncodeBmp24(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int stride = (image.width() * 3 + 3) / 4 * 4;
    const quint32 imageBytes = quint32(stride) * quint32(image.height());
    QByteArray out;
    out.reserve(54 + int(imageBytes));
    out.append("BM");
    Put32(out, 54 + imageBytes);
    Put32(out, 0);
    Put32(out, 54);
    PutInfoHeader(out, image.width(), image.height(), 24, imageBytes);
    for (int y = image.height() - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            out.append(char(qBlue(line[x]))).append(char(qGreen(line[x]))).append(char(qRed(line[x])));
        out.append(QByteArray(stride - image.width() * 3, '\0'));
    }
    return out;
}

QByteArray EncodeIconDib(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int maskStride = (image.width() + 31) / 32 * 4;
    QByteArray out;
    PutInfoHeader(out, image.width(), image.height() * 2, 32, 0);
    for (int y = image.height() - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            Put32(out, line[x]);
    }
    for (int y = image.height() - 1; y >= 0; --y) {
        QByteArray row(maskStride, '\0');
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        }
        out.append(row);
    }
    return out;
}

QByteArray EncodeCursor(const QImage& image, QPoint hotspot)
{
    const QByteArray dib = EncodeIconDib(image);
    QByteArray out;
    Put16(out, 0);
    Put16(out, 2); // cursor
    Put16(out, 1);
    out.append(char(image.width() >= 256 ? 0 : image.width()));
    out.append(char(image.height() >= 256 ? 0 : image.height()));
    out.append('\0').append('\0');
    Put16(out, quint16(hotspot.x()));
    Put16(out, quint16(hotspot.y()));
    Put32(out, quint32(dib.size()));
    Put32(out, 22);
    return out + dib;
}

} // namespace velmoro::skin
