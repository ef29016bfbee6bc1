#pragma once
// Reading of Windows bitmaps as skins carry them. Skins were made with every
// paint program of their time, so every header size (core, info, V2 to V5,
// OS/2), every depth (1, 2, 4, 8, 16, 24, 32 bit), RLE4/RLE8, bit fields and
// top-down rows are decoded here, and a truncated file gives what it holds.
// The decoder never trusts a size field: dimensions are capped and every read
// is checked against the bytes present.
#include <QByteArrayView>
#include <QImage>

#include <cstdint>
#include <optional>

namespace velmoro::skin {

// Largest bitmap accepted, in pixels on a side and in total; skin sheets are
// a few hundred pixels, so this only guards against forged sizes.
inline constexpr int kMaxBitmapSide = 8192;
inline constexpr std::int64_t kMaxBitmapPixels = 8 * 1024 * 1024;

// Whether a picture of width × height pixels is within the caps above and
// no wider or taller than maxSide.
bool WithinBitmapCaps(std::int64_t width, std::int64_t height, int maxSide = kMaxBitmapSide);

// Decodes a PNG picture, refusing it before any pixel is decoded when the size
// its header claims exceeds the caps above or maxSide on a side: one forged
// header must not cost a gigabyte or minutes of decoding.
std::optional<QImage> DecodeCappedPng(QByteArrayView data, int maxSide = kMaxBitmapSide);

// How a device-independent bitmap (header, palette, pixels) lies in memory.
struct DibLayout {
    int width = 0;
    int height = 0; // rows of the picture (half the header's height for icons)
    bool topDown = false;
    int bitCount = 0;
    qsizetype pixelOffset = 0; // where the first stored row starts
    qsizetype stride = 0;      // bytes per stored row (uncompressed)
};

struct DibOptions {
    // Where the pixel rows start, from the start of the header; unset means
    // right after the palette (as inside icons and cursors).
    std::optional<qsizetype> pixelOffset;
    // Icons and cursors store the colour rows and then a mask, and count both
    // in the header's height.
    bool iconHeight = false;
    // 32-bit pixels keep their alpha byte when any pixel has one.
    bool keepAlpha = false;
    // A tighter cap on a side (cursors), checked before the pixels are decoded.
    int maxSide = kMaxBitmapSide;
};

struct DecodedDib {
    QImage image; // Format_RGB32, or Format_ARGB32 with keepAlpha and real alpha
    DibLayout layout;
};

// Decodes a bitmap that starts with its info header (no "BM" file header).
std::optional<DecodedDib> DecodeDib(QByteArrayView dib, const DibOptions& options = {});

// Decodes a whole .bmp file into an opaque Format_RGB32 image.
std::optional<QImage> DecodeBmpFile(QByteArrayView file);

// A skin bitmap: a .bmp file, or whatever other picture format Qt recognises
// under a .bmp name. The result is always opaque Format_RGB32.
std::optional<QImage> ReadSkinBitmap(QByteArrayView file);

} // namespace velmoro::skin
