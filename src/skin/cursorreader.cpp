#include "skin/cursorreader.h"

#include "skin/bmpreader.h"
#include "skin/bytereader.h"

#include <algorithm>

namespace velmoro::skin {

namespace {

constexpr int kMaxIconEntries = 64;
constexpr int kMaxCursorSide = 1024;

// Clears the pixels that the 1-bit AND mask after the colour rows marks as
// transparent (the screen shows through).
void ApplyAndMask(QByteArrayView dib, const DibLayout& layout, QImage& image)
{
    const qsizetype stride = (qsizetype(layout.width) + 31) / 32 * 4;
    const qsizetype maskStart = layout.pixelOffset + layout.stride * layout.height;
    for (int row = 0; row < layout.height; ++row) {
        const int y = layout.topDown ? row : layout.height - 1 - row;
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const qsizetype rowStart = maskStart + qsizetype(row) * stride;
        for (int x = 0; x < layout.width; ++x) {
            // A missing mask leaves the picture opaque.
            if ((U8(dib, rowStart + x / 8) >> (7 - x % 8)) & 1)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
}

std::optional<QImage> DecodeIconImage(QByteArrayView data)
{
    if (data.startsWith("\x89PNG")) {
        const std::optional<QImage> png = DecodeCappedPng(data, kMaxCursorSide);
        if (!png)
            return std::nullopt;
        return png->convertToFormat(QImage::Format_ARGB32);
    }
    DibOptions options;
    options.iconHeight = true;
    options.keepAlpha = true;
    options.maxSide = kMaxCursorSide;
    std::optional<DecodedDib> dib = DecodeDib(data, options);
    if (!dib)
        return std::nullopt;
    if (dib->image.format() == QImage::Format_ARGB32)
        return std::move(dib->image); // real alpha: the mask is only for old systems
    QImage image = dib->image.convertToFormat(QImage::Format_ARGB32);
    ApplyAndMask(data, dib->layout, image);
    return image;
}

// A .cur or .ico file. The reserved word and the type are not checked:
// skins carry files with junk there that Windows still loads.
std::optional<CursorImage> ReadIconFile(QByteArrayView file)
{
    const int count = std::min<int>(U16(file, 4), kMaxIconEntries);
    const bool cursor = U16(file, 2) == 2;
    for (int i = 0; i < count; ++i) {
        const qsizetype entry = 6 + 16 * qsizetype(i);
        if (!Holds(file, entry, 16))
            break;
        const qsizetype offset = U32(file, entry + 12);
        if (!Holds(file, offset, 0))
            continue;
        const qsizetype length = std::min<qsizetype>(U32(file, entry + 8), file.size() - offset);
        std::optional<QImage> image = DecodeIconImage(file.sliced(offset, length));
        if (!image)
            continue;
        QPoint hotspot(image->width() / 2, image->height() / 2); // icons have none: the centre
        if (cursor)
            hotspot = QPoint(std::min<int>(U16(file, entry + 4), image->width() - 1),
                             std::min<int>(U16(file, entry + 6), image->height() - 1));
        return CursorImage{std::move(*image), hotspot};
    }
    return std::nullopt;
}

struct Chunk {
    qsizetype start = 0; // of the data
    qsizetype size = 0;
    QByteArrayView id;
};

// The chunks in [begin, end) of a RIFF file, cut to what is present.
template <typename Visit> void ForEachChunk(QByteArrayView file, qsizetype begin, qsizetype end, Visit visit)
{
    qsizetype at = begin;
    while (at + 8 <= end) {
        const qsizetype size = std::min<qsizetype>(U32(file, at + 4), end - at - 8);
        if (!visit(Chunk{at + 8, size, file.sliced(at, 4)}))
            return;
        at += 8 + size + (size & 1);
    }
}

std::optional<CursorImage> ReadAnimatedCursor(QByteArrayView file)
{
    const qsizetype end = std::min<qsizetype>(file.size(), qsizetype(U32(file, 4)) + 8);
    std::uint32_t firstStep = 0;
    Chunk frames;
    ForEachChunk(file, 12, end, [&](const Chunk& c) {
        if (c.id == "seq " && c.size >= 4)
            firstStep = U32(file, c.start);
        else if (c.id == "LIST" && c.size >= 4 && file.sliced(c.start, 4) == "fram")
            frames = c;
        return true;
    });

    std::optional<CursorImage> first;
    std::optional<CursorImage> chosen;
    std::uint32_t index = 0;
    ForEachChunk(file, frames.start + 4, frames.start + frames.size, [&](const Chunk& c) {
        if (c.id != "icon")
            return true;
        if (index == 0 || index == firstStep) {
            std::optional<CursorImage> frame = ReadIconFile(file.sliced(c.start, c.size));
            if (index == 0)
                first = frame;
            if (index == firstStep)
                chosen = frame;
        }
        return index++ < firstStep;
    });
    return chosen ? chosen : first;
}

} // namespace

std::optional<CursorImage> ReadCursor(QByteArrayView file)
{
    if (file.startsWith("RIFF") && file.sliced(std::min<qsizetype>(8, file.size())).startsWith("ACON"))
        return ReadAnimatedCursor(file);
    return ReadIconFile(file);
}

} // namespace velmoro::skin
