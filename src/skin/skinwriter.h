#pragma once
// Writing of skin files, for the built-in skin's generator and for skin
// fixtures: plain 24-bit bitmaps and static 32-bit cursors, the forms every
// skin reader accepts.
#include <QByteArray>
#include <QImage>
#include <QPoint>

namespace velmoro::skin {

// A bottom-up 24-bit BI_RGB .bmp file of the image (alpha dropped).
QByteArray EncodeBmp24(const QImage& image);

// The info header, 32-bit colour rows and AND mask of an icon image, as
// stored inside .cur and .ico files. Fully transparent pixels are masked.
QByteArray EncodeIconDib(const QImage& image);

// A .cur file holding one image with its hotspot.
QByteArray EncodeCursor(const QImage& image, QPoint hotspot);

} // namespace velmoro::skin
