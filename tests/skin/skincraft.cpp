#include "skincraft.h"

#include "skin/skinset.h"
#include "skin/rendercommand.h"
#include "skin/skinwriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>

namespace velmoro::test {

namespace {

void Put16(QByteArray& out, quint32 v)
{
    out.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
}

void Put32(QByteArray& out, quint32 v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

int Scale(int component, quint32 mask)
{
    if (mask == 0)
        return 0;
    const int bits = std::bit_width(mask >> std::countr_zero(mask));
    return (component * ((1 << bits) - 1) / 255) << std::countr_zero(mask);
}

quint32 Pack(QRgb c, const std::array<quint32, 4>& m)
{
    return quint32(Scale(qRed(c), m[0]) | Scale(qGreen(c), m[1]) | Scale(qBlue(c), m[2]) | Scale(255, m[3]));
}

// Run-length rows in the RLE8 or RLE4 form: runs of one index, literal
// stretches of three or more, an end-of-line after each row.
QByteArray EncodeRle(const std::vector<std::vector<int>>& rows, bool fourBit)
{
    QByteArray out;
    for (const std::vector<int>& row : rows) {
        std::size_t i = 0;
        while (i < row.size()) {
            std::size_t run = 1;
            while (i + run < row.size() && row[i + run] == row[i] && run < 255)
                ++run;
            if (run >= 2 || row.size() - i < 3) {
                out.append(char(run)).append(char(fourBit ? (row[i] << 4 | row[i]) : row[i]));
                i += run;
                continue;
            }
            std::size_t lit = 1;
            while (i + lit < row.size() && lit < 255 &&
                   !(i + lit + 1 < row.size() && row[i + lit] == row[i + lit + 1]))
                ++lit;
            if (lit < 3) {
                out.append(char(1)).append(char(fourBit ? row[i] << 4 : row[i]));
                i += 1;
                continue;
            }
            out.append(char(0)).append(char(lit));
            QByteArray bytes;
            for (std::size_t k = 0; k < lit; ++k) {
                if (!fourBit)
                    bytes.append(char(row[i + k]));
                else if (k % 2 == 0)
                    bytes.append(char(row[i + k] << 4));
                else
                    bytes[bytes.size() - 1] = char(bytes.back() | row[i + k]);
            }
            if (bytes.size() % 2)
                bytes.append('\0');
            out.append(bytes);
            i += lit;
        }
        out.append('\0').append('\0');
    }
    out.append('\0').append(char(1));
    return out;
}

} // namespace

QByteArray CraftBmp(const QImage& source, const BmpFlavour& f)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width();
    const int h = image.height();
    std::vector<QRgb> palette;
    std::vector<std::vector<int>> indices(h, std::vector<int>(w));
    if (f.bits <= 8) {
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const QRgb c = image.pixel(x, y) | 0xFF000000u;
                auto it = std::find(palette.begin(), palette.end(), c);
                if (it == palette.end()) {
                    palette.push_back(c);
                    it = palette.end() - 1;
                }
                indices[y][x] = int(it - palette.begin());
            }
        }
        EXPECT_LE(palette.size(), std::size_t(1) << f.bits) << "too many colours for the flavour";
    }

    std::array<quint32, 4> masks = f.masks;
    if (f.compression != BmpCompression::BitFields)
        masks = f.bits == 16 ? std::array<quint32, 4>{0x7C00, 0x3E0, 0x1F, 0}
                             : std::array<quint32, 4>{0xFF0000, 0xFF00, 0xFF, 0};

    // Stored rows, bottom-up unless top-down.
    std::vector<int> order;
    for (int r = 0; r < h; ++r)
        order.push_back(f.topDown ? r : h - 1 - r);

    QByteArray pixels;
    if (f.compression == BmpCompression::Rle) {
        std::vector<std::vector<int>> rows;
        for (int y : order)
            rows.push_back(indices[y]);
        pixels = EncodeRle(rows, f.bits == 4);
    } else {
        const int stride = (w * f.bits + 31) / 32 * 4;
        for (int y : order) {
            QByteArray row(stride, '\0');
            for (int x = 0; x < w; ++x) {
                const QRgb c = image.pixel(x, y);
                if (f.bits <= 8) {
                    const int bit = x * f.bits;
                    row[bit / 8] = char(row[bit / 8] | (indices[y][x] << (8 - f.bits - bit % 8)));
                } else if (f.bits == 24) {
                    row[3 * x] = char(qBlue(c));
                    row[3 * x + 1] = char(qGreen(c));
                    row[3 * x + 2] = char(qRed(c));
                } else {
                    const quint32 v = Pack(c, masks);
                    for (int b = 0; b < f.bits / 8; ++b)
                        row[f.bits / 8 * x + b] = char((v >> (8 * b)) & 0xFF);
                }
            }
            pixels.append(row);
        }
    }

    QByteArray header;
    const quint32 compression = f.compression == BmpCompression::Rle         ? (f.bits == 8 ? 1 : 2)
                                : f.compression == BmpCompression::BitFields ? 3
                                                                             : 0;
    Put32(header, quint32(f.headerSize));
    if (f.headerSize == 12) {
        Put16(header, quint32(w));
        Put16(header, quint32(h));
        Put16(header, 1);
        Put16(header, quint32(f.bits));
    } else {
        Put32(header, quint32(w));
        Put32(header, quint32(f.topDown ? -h : h));
        Put16(header, 1);
        Put16(header, quint32(f.bits));
        Put32(header, compression);
        Put32(header, quint32(pixels.size()));
        Put32(header, 2835);
        Put32(header, 2835);
        Put32(header, quint32(palette.size()));
        Put32(header, 0);
        if (f.headerSize >= 52)
            for (int i = 0; i < 3; ++i)
                Put32(header, masks[i]);
        if (f.headerSize >= 56)
            Put32(header, masks[3]);
        header.append(QByteArray(f.headerSize - header.size(), '\0'));
        if (f.headerSize == 40 && compression == 3)
            for (int i = 0; i < 3; ++i)
                Put32(header, masks[i]);
    }
    for (QRgb c : palette) {
        header.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c)));
        if (f.headerSize != 12)
            header.append('\0');
    }

    QByteArray file("BM");
    Put32(file, quint32(14 + header.size() + pixels.size()));
    Put32(file, 0);
    Put32(file, quint32(14 + header.size()));
    return file + header + pixels;
}

QByteArray CraftRawBmp(int width, int height, int bits, quint32 compression, const std::vector<QRgb>& palette,
                       const QByteArray& pixels)
{
    QByteArray header;
    Put32(header, 40);
    Put32(header, quint32(width));
    Put32(header, quint32(height));
    Put16(header, 1);
    Put16(header, quint32(bits));
    Put32(header, compression);
    Put32(header, quint32(pixels.size()));
    Put32(header, 0);
    Put32(header, 0);
    Put32(header, quint32(palette.size()));
    Put32(header, 0);
    for (QRgb c : palette)
        header.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c))).append('\0');
    QByteArray file("BM");
    Put32(file, quint32(14 + header.size() + pixels.size()));
    Put32(file, 0);
    Put32(file, quint32(14 + header.size()));
    return file + header + pixels;
}

QByteArray CraftMonoCursor(int size, QPoint hotspot, const std::vector<QPoint>& black,
                           const std::vector<QPoint>& transparent)
{
    const int stride = (size + 31) / 32 * 4;
    QByteArray dib;
    Put32(dib, 40);
    Put32(dib, quint32(size));
    Put32(dib, quint32(size * 2));
    Put16(dib, 1);
    Put16(dib, 1);
    dib.append(QByteArray(24, '\0'));
    Put32(dib, 0x000000); // colour 0: black
    Put32(dib, 0xFFFFFF); // colour 1: white
    auto plane = [&](const std::vector<QPoint>& cleared, bool setOthers) {
        for (int y = size - 1; y >= 0; --y) {
            QByteArray row(stride, '\0');
            for (int x = 0; x < size; ++x) {
                const bool listed = std::find(cleared.begin(), cleared.end(), QPoint(x, y)) != cleared.end();
                if (listed != setOthers)
                    row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
            }
            dib.append(row);
        }
    };
    plane(black, true);        // colour bits: 1 (white) except the black points
    plane(transparent, false); // mask bits: 1 only at the transparent points
    QByteArray out;
    Put16(out, 0x1234); // junk in the reserved word, as some skins have
    Put16(out, 2);
    Put16(out, 1);
    out.append(char(size)).append(char(size)).append('\0').append('\0');
    Put16(out, quint32(hotspot.x()));
    Put16(out, quint32(hotspot.y()));
    Put32(out, quint32(dib.size()));
    Put32(out, 22);
    return out + dib;
}

QByteArray CraftAnimatedCursor(const std::vector<QByteArray>& frames, const std::vector<quint32>& sequence)
{
    auto chunk = [](const char* id, const QByteArray& data) {
        QByteArray c(id, 4);
        Put32(c, quint32(data.size()));
        c.append(data);
        if (data.size() % 2)
            c.append('\0');
        return c;
    };
    QByteArray anih;
    for (quint32 v :
         {36u, quint32(frames.size()), quint32(sequence.empty() ? frames.size() : sequence.size()), 0u, 0u,
          0u, 0u, 10u, sequence.empty() ? 1u : 3u})
        Put32(anih, v);
    QByteArray list("fram");
    for (const QByteArray& f : frames)
        list.append(chunk("icon", f));
    QByteArray body("ACON");
    body.append(chunk("anih", anih));
    body.append(chunk("LIST", list));
    if (!sequence.empty()) {
        QByteArray seq;
        for (quint32 s : sequence)
            Put32(seq, s);
        body.append(chunk("seq ", seq));
    }
    return chunk("RIFF", body);
}

QImage CursorPicture(QRgb colour, int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

QRgb CoordColor(int id, int x, int y)
{
    return qRgb(x & 0xFF, y & 0xFF, id * 4 + (x >> 8) * 2 + (y >> 8));
}

Coord DecodeCoord(QRgb pixel)
{
    if (qAlpha(pixel) == 0)
        return {};
    const int b = qBlue(pixel);
    return {b / 4, qRed(pixel) + ((b >> 1) & 1) * 256, qGreen(pixel) + (b & 1) * 256};
}

QImage CoordImage(int id, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, CoordColor(id, x, y));
    return image;
}

testing::AssertionResult ShowsCoords(const QImage& image, QRect to, int id, QRect from, QRect visible)
{
    const QRect checked = visible.isNull() ? to : to.intersected(visible);
    for (int y = checked.top(); y <= checked.bottom(); ++y) {
        for (int x = checked.left(); x <= checked.right(); ++x) {
            const Coord want{id, from.left() + (x - to.left()) * from.width() / to.width(),
                             from.top() + (y - to.top()) * from.height() / to.height()};
            const Coord got = DecodeCoord(image.pixel(x, y));
            if (!(got == want))
                return testing::AssertionFailure()
                       << "at (" << x << "," << y << ") want sheet " << want.id << " (" << want.x << ","
                       << want.y << ") got sheet " << got.id << " (" << got.x << "," << got.y << ")";
        }
    }
    return testing::AssertionSuccess();
}

std::vector<CoordSheet> CoordSheets()
{
    std::vector<CoordSheet> sheets;
    int id = kMainId;
    for (const skin::BitmapSlot& slot : skin::BitmapSlots())
        sheets.push_back({QString::fromLatin1(slot.file), id++, slot.size});
    return sheets;
}

void WriteCoordSkin(const QString& dir, const QStringList& skip, bool upperCase)
{
    QDir().mkpath(dir);
    for (const CoordSheet& sheet : CoordSheets()) {
        if (skip.contains(sheet.file))
            continue;
        const QString name = upperCase ? sheet.file.toUpper() : sheet.file;
        WriteFile(QDir(dir).filePath(name), skin::EncodeBmp24(CoordImage(sheet.id, sheet.size)));
    }
}

void WriteCoordPlaylistSkin(const QString& dir, const QByteArray& colours)
{
    QDir().mkpath(dir);
    WriteFile(QDir(dir).filePath(QStringLiteral("pledit.bmp")),
              skin::EncodeBmp24(CoordImage(kPleditId, QSize(280, 186))));
    WriteFile(QDir(dir).filePath(QStringLiteral("text.bmp")),
              skin::EncodeBmp24(CoordImage(kTextId, QSize(155, 18))));
    if (!colours.isNull())
        WriteFile(QDir(dir).filePath(QStringLiteral("pledit.txt")), colours);
}

void WriteCoordEqualizerSkin(const QString& dir, QSize size)
{
    QDir().mkpath(dir);
    WriteFile(QDir(dir).filePath(QStringLiteral("eqmain.bmp")),
              skin::EncodeBmp24(CoordImage(kEqmainId, size)));
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

testing::AssertionResult MatchesReference(const QImage& got, const QString& referencePath,
                                          const QString& actualDir)
{
    const QImage drawn = got.convertToFormat(QImage::Format_ARGB32);
    const QImage want = QImage(referencePath).convertToFormat(QImage::Format_ARGB32);
    if (want.isNull())
        return testing::AssertionFailure() << "no reference " << referencePath.toStdString();
    qsizetype differing = 0;
    if (drawn.size() == want.size())
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                differing += drawn.pixel(x, y) != want.pixel(x, y);
    if (drawn.size() == want.size() && differing == 0)
        return testing::AssertionSuccess();
    const QString name = QFileInfo(referencePath).completeBaseName();
    drawn.save(QDir(actualDir).filePath(name + QStringLiteral(".actual.png")));
    return testing::AssertionFailure()
           << referencePath.toStdString() << ": " << differing << " pixels differ, or the size does";
}

} // namespace velmoro::test

namespace velmoro::test {

testing::AssertionResult RendersAsReference(const QDir& references, const QString& actualDir,
                                            const QString& picture, const QStringList& arguments)
{
    QTemporaryDir dir;
    const QString drawn = dir.filePath(picture);
    if (skin::RunRenderSkinCommand(QStringList{QStringLiteral("-"), drawn} + arguments) != 0)
        return testing::AssertionFailure() << "the command failed for " << picture.toStdString();
    return MatchesReference(QImage(drawn), references.filePath(picture), actualDir);
}

} // namespace velmoro::test
