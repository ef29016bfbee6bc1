#include "skin/bmpreader.h"

#include "skin/bytereader.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <algorithm>
#include <array>
#include <bit>
#include <vector>

namespace velmoro::skin {

namespace {

enum Compression : std::uint32_t {
    kRgb = 0,
    kRle8 = 1,
    kRle4 = 2,
    kBitFields = 3,
    kAlphaBitFields = 6,
};

// One colour channel of a bit-field pixel.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit Channel(std::uint32_t m = 0) : mask(m)
    {
        if (m != 0) {
            shift = std::countr_zero(m);
            bits = std::bit_width(m >> shift);
        }
    }

    // The channel scaled to 0..255.
    int Value(std::uint32_t pixel) const
    {
        if (bits == 0)
            return 0;
        const std::uint64_t v = (pixel & mask) >> shift;
        if (bits >= 8)
            return int(v >> (bits - 8));
        return int(v * 255 / ((std::uint64_t(1) << bits) - 1));
    }
};

struct Header {
    qsizetype size = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
    int bitCount = 0;
    std::uint32_t compression = kRgb;
    int paletteCount = 0;
    int paletteEntrySize = 4;
    qsizetype paletteOffset = 0;
    std::array<Channel, 4> channels{Channel(0), Channel(0), Channel(0),
                                    Channel(0)}; // red, green, blue, alpha
};

std::optional<Header> ParseHeader(QByteArrayView dib)
{
    Header h;
    h.size = U32(dib, 0);
    if (h.size < 12 || h.size > 1024 || !Holds(dib, 0, h.size))
        return std::nullopt;
    if (h.size == 12) { // the old core header: 16-bit sizes, 3-byte palette entries
        h.width = U16(dib, 4);
        h.height = U16(dib, 6);
        h.bitCount = U16(dib, 10);
        h.paletteEntrySize = 3;
    } else {
        h.width = I32(dib, 4);
        h.height = I32(dib, 8);
        h.bitCount = U16(dib, 14);
        h.compression = h.size >= 20 ? U32(dib, 16) : kRgb;
        // The OS/2 2.x header (64 bytes, or cut short) numbers Huffman and
        // RLE24 where Windows has bit fields; neither is used by skins.
        const bool os2 = h.size == 64 || h.size < 40;
        if (os2 && h.compression >= kBitFields)
            return std::nullopt;
    }

    qsizetype afterHeader = h.size;
    if (h.compression == kBitFields || h.compression == kAlphaBitFields) {
        const int count = h.compression == kAlphaBitFields ? 4 : 3;
        qsizetype at = 40;
        if (h.size < 52) { // the masks follow a plain info header
            at = h.size;
            afterHeader += 4 * count;
        }
        for (int i = 0; i < count; ++i)
            h.channels[i] = Channel(U32(dib, at + 4 * i));
        if (h.size >= 56)
            h.channels[3] = Channel(U32(dib, 52));
    } else if (h.bitCount == 16) {
        h.channels = {Channel(0x7C00), Channel(0x03E0), Channel(0x001F), Channel(0)};
    } else if (h.bitCount == 32) {
        h.channels = {Channel(0xFF0000), Channel(0xFF00), Channel(0xFF), Channel(0xFF000000)};
    }

    const std::uint32_t used = h.size >= 36 ? U32(dib, 32) : 0;
    if (used > 0 && used <= 256)
        h.paletteCount = int(used);
    else if (h.bitCount <= 8)
        h.paletteCount = 1 << h.bitCount;
    h.paletteOffset = afterHeader;
    return h;
}

bool SupportedFormat(const Header& h)
{
    switch (h.compression) {
    case kRgb:
        return h.bitCount == 1 || h.bitCount == 2 || h.bitCount == 4 || h.bitCount == 8 || h.bitCount == 16 ||
               h.bitCount == 24 || h.bitCount == 32;
    case kRle8:
        return h.bitCount == 8;
    case kRle4:
        return h.bitCount == 4;
    case kBitFields:
    case kAlphaBitFields:
        return h.bitCount == 16 || h.bitCount == 32;
    default:
        return false;
    }
}

std::vector<QRgb> ReadPalette(QByteArrayView dib, const Header& h)
{
    std::vector<QRgb> palette(256, qRgb(0, 0, 0));
    for (int i = 0; i < h.paletteCount; ++i) {
        const qsizetype at = h.paletteOffset + qsizetype(i) * h.paletteEntrySize;
        if (!Holds(dib, at, 3))
            break;
        palette[i] = qRgb(U8(dib, at + 2), U8(dib, at + 1), U8(dib, at));
    }
    return palette;
}

// Writes stored row `row` (counted from the first row in the data) of the
// picture, keeping every write inside the image.
class PixelSink {
public:
    PixelSink(QImage& image, bool topDown) : m_image(image), m_topDown(topDown) {}

    QRgb* Row(std::int64_t row)
    {
        if (row < 0 || row >= m_image.height())
            return nullptr;
        const int y = m_topDown ? int(row) : m_image.height() - 1 - int(row);
        return reinterpret_cast<QRgb*>(m_image.scanLine(y));
    }

    void Set(std::int64_t x, std::int64_t row, QRgb colour)
    {
        if (x < 0 || x >= m_image.width())
            return;
        if (QRgb* line = Row(row))
            line[x] = colour;
    }

private:
    QImage& m_image;
    bool m_topDown;
};

void DecodeRle(QByteArrayView data, bool fourBit, const std::vector<QRgb>& palette, PixelSink& sink,
               std::int64_t height)
{
    std::int64_t x = 0;
    std::int64_t row = 0;
    qsizetype p = 0;
    while (row < height && Holds(data, p, 2)) {
        const int count = U8(data, p);
        const int value = U8(data, p + 1);
        p += 2;
        if (count > 0) { // a run of one colour, or two alternating nibbles
            for (int i = 0; i < count; ++i) {
                const int index = fourBit ? ((i & 1) ? value & 0x0F : value >> 4) : value;
                sink.Set(x++, row, palette[index]);
            }
        } else if (value == 0) { // end of line
            x = 0;
            ++row;
        } else if (value == 1) { // end of bitmap
            break;
        } else if (value == 2) { // move right and up
            x += U8(data, p);
            row += U8(data, p + 1);
            p += 2;
        } else { // literal pixels, padded to a 16-bit boundary
            const qsizetype bytes = fourBit ? (value + 1) / 2 : value;
            for (int i = 0; i < value; ++i) {
                const int b = U8(data, p + (fourBit ? i / 2 : i));
                const int index = fourBit ? ((i & 1) ? b & 0x0F : b >> 4) : b;
                sink.Set(x++, row, palette[index]);
            }
            p += bytes + (bytes & 1);
        }
    }
}

// Decodes uncompressed rows; returns whether any pixel had a non-zero alpha.
bool DecodeRows(QByteArrayView data, const Header& h, const std::vector<QRgb>& palette, qsizetype stride,
                PixelSink& sink, int width, int height)
{
    QByteArray padded(stride, '\0');
    bool anyAlpha = false;
    for (int row = 0; row < height; ++row) {
        const qsizetype start = qsizetype(row) * stride;
        if (start >= data.size())
            break; // a truncated file: the missing rows stay black
        const qsizetype present = std::min(stride, data.size() - start);
        std::copy_n(data.data() + start, present, padded.data());
        std::fill(padded.data() + present, padded.data() + stride, '\0');
        const auto* in = reinterpret_cast<const std::uint8_t*>(padded.constData());
        QRgb* out = sink.Row(row);
        for (int x = 0; x < width; ++x) {
            switch (h.bitCount) {
            case 1:
            case 2:
            case 4:
            case 8: {
                const std::int64_t bit = std::int64_t(x) * h.bitCount;
                const int shift = 8 - h.bitCount - int(bit & 7);
                out[x] = palette[(in[bit >> 3] >> shift) & ((1 << h.bitCount) - 1)];
                break;
            }
            case 24:
                out[x] = qRgb(in[3 * x + 2], in[3 * x + 1], in[3 * x]);
                break;
            default: { // 16 and 32 bit, through the channel masks
                const std::uint32_t v =
                    h.bitCount == 16
                        ? std::uint32_t(in[2 * x] | (in[2 * x + 1] << 8))
                        : std::uint32_t(in[4 * x] | (in[4 * x + 1] << 8) | (in[4 * x + 2] << 16) |
                                        (std::uint32_t(in[4 * x + 3]) << 24));
                const int alpha = h.channels[3].Value(v);
                anyAlpha = anyAlpha || alpha != 0;
                out[x] = qRgba(h.channels[0].Value(v), h.channels[1].Value(v), h.channels[2].Value(v), alpha);
            }
            }
        }
    }
    return anyAlpha;
}

void MakeOpaque(QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] |= 0xFF000000u;
    }
}

} // namespace

bool WithinBitmapCaps(std::int64_t width, std::int64_t height, int maxSide)
{
    const std::int64_t side = std::min(maxSide, kMaxBitmapSide);
    return width >= 1 && height >= 1 && width <= side && height <= side && width * height <= kMaxBitmapPixels;
}

std::optional<QImage> DecodeCappedPng(QByteArrayView data, int maxSide)
{
    QByteArray bytes = QByteArray::fromRawData(data.data(), data.size());
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return std::nullopt;
    QImageReader reader(&buffer, "png");
    const QSize claimed = reader.size();
    if (!claimed.isValid() || !WithinBitmapCaps(claimed.width(), claimed.height(), maxSide))
        return std::nullopt;
    QImage image;
    if (!reader.read(&image) || image.size() != claimed)
        return std::nullopt;
    return image;
}

std::optional<DecodedDib> DecodeDib(QByteArrayView dib, const DibOptions& options)
{
    const std::optional<Header> header = ParseHeader(dib);
    if (!header || !SupportedFormat(*header))
        return std::nullopt;
    const Header& h = *header;

    DibLayout layout;
    layout.bitCount = h.bitCount;
    layout.topDown = h.height < 0;
    std::int64_t height = h.height < 0 ? -h.height : h.height;
    if (options.iconHeight)
        height /= 2;
    if (!WithinBitmapCaps(h.width, height, options.maxSide))
        return std::nullopt;
    layout.width = int(h.width);
    layout.height = int(height);
    layout.stride = qsizetype((h.width * h.bitCount + 31) / 32 * 4);
    layout.pixelOffset =
        options.pixelOffset.value_or(h.paletteOffset + qsizetype(h.paletteCount) * h.paletteEntrySize);
    if (layout.pixelOffset < 0 || layout.pixelOffset > dib.size())
        return std::nullopt;

    const std::vector<QRgb> palette = ReadPalette(dib, h);
    QImage image(layout.width, layout.height, QImage::Format_ARGB32);
    if (image.isNull())
        return std::nullopt;
    // Pixels an RLE picture skips keep the colour of index 0, as in a cleared
    // device-independent bitmap.
    image.fill(h.bitCount <= 8 ? palette[0] : qRgb(0, 0, 0));

    PixelSink sink(image, layout.topDown);
    const QByteArrayView data = dib.sliced(layout.pixelOffset);
    bool anyAlpha = false;
    if (h.compression == kRle8 || h.compression == kRle4)
        DecodeRle(data, h.compression == kRle4, palette, sink, layout.height);
    else
        anyAlpha = DecodeRows(data, h, palette, layout.stride, sink, layout.width, layout.height);

    // Alpha bytes that are all zero are unused bytes, not a transparent picture.
    if (options.keepAlpha && anyAlpha)
        return DecodedDib{std::move(image), layout};
    MakeOpaque(image);
    image.reinterpretAsFormat(QImage::Format_RGB32);
    return DecodedDib{std::move(image), layout};
}

std::optional<QImage> DecodeBmpFile(QByteArrayView file)
{
    constexpr qsizetype kFileHeader = 14;
    if (file.size() < kFileHeader + 12 || file[0] != 'B' || file[1] != 'M')
        return std::nullopt;
    const QByteArrayView dib = file.sliced(kFileHeader);
    // Writers of the time often got the pixel offset wrong; one that points
    // into the header or past the end is ignored in favour of the palette end.
    DibOptions options;
    const std::int64_t offset = std::int64_t(U32(file, 10)) - kFileHeader;
    if (offset >= std::int64_t(U32(dib, 0)) && offset < dib.size())
        options.pixelOffset = qsizetype(offset);
    std::optional<DecodedDib> decoded = DecodeDib(dib, options);
    if (!decoded)
        return std::nullopt;
    return std::move(decoded->image);
}

std::optional<QImage> ReadSkinBitmap(QByteArrayView file)
{
    if (std::optional<QImage> bmp = DecodeBmpFile(file))
        return bmp;
    // Some skins carry PNG pictures under .bmp names.
    if (!file.startsWith("\x89PNG"))
        return std::nullopt;
    const std::optional<QImage> image = DecodeCappedPng(file);
    if (!image)
        return std::nullopt;
    return image->convertToFormat(QImage::Format_RGB32);
}

} // namespace velmoro::skin
