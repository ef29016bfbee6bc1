#pragma once
// Sprite copies onto the control's off-screen image. Skins come with sheets
// smaller or larger than the standard ones (a volume.bmp without its thumb
// row, a posbar.bmp of six rows), so a source rectangle may reach outside
// its bitmap: that part copies nothing and whatever was drawn there before
// (the window's background) stays, as the skins were painted to be seen.
// Sizes that differ stretch with nearest-neighbour sampling, as the classic
// blitter did; equal sizes take a plain row copy.
#include <QImage>
#include <QRect>
#include <QRgb>

namespace velmoro::skin {

// Copies source rectangle `from` of src to rectangle `to` of dst (Format_ARGB32
// or Format_ARGB32_Premultiplied with opaque or zero pixels), clipped to dst.
void Blit(QImage& dst, QRect to, const QImage& src, QRect from);

// The same rectangle of src onto dst.
inline void Restore(QImage& dst, const QImage& src, QRect area)
{
    Blit(dst, area, src, area);
}

void FillRect(QImage& dst, QRect area, QRgb colour);

} // namespace velmoro::skin
