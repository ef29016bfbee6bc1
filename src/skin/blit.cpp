#include "skin/blit.h"

#include <algorithm>

namespace velmoro::skin {

namespace {

constexpr QRgb kTransparentBlack = 0;

QRgb SourcePixel(const QImage& src, int x, int y)
{
    if (x < 0 || y < 0 || x >= src.width() || y >= src.height())
        return kTransparentBlack;
    return reinterpret_cast<const QRgb*>(src.constScanLine(y))[x] | 0xFF000000u;
}

} // namespace

void Blit(QImage& dst, QRect to, const QImage& src, QRect from)
{
    if (to.isEmpty() || from.isEmpty())
        return;
    const QRect clipped = to.intersected(dst.rect());
    const bool sameSize = to.size() == from.size();
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        const int dy = y - to.top();
        const int sy = from.top() + (sameSize ? dy : int(qint64(dy) * from.height() / to.height()));
        auto* out = reinterpret_cast<QRgb*>(dst.scanLine(y));
        const bool rowInside = sy >= 0 && sy < src.height();
        const int firstSx = from.left() + (clipped.left() - to.left());
        if (sameSize && rowInside && firstSx >= 0 && firstSx + clipped.width() <= src.width()) {
            const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(sy)) + firstSx;
            for (int i = 0; i < clipped.width(); ++i)
                out[clipped.left() + i] = in[i] | 0xFF000000u;
            continue;
        }
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            const int dx = x - to.left();
            const int sx = from.left() + (sameSize ? dx : int(qint64(dx) * from.width() / to.width()));
            out[x] = rowInside ? SourcePixel(src, sx, sy) : kTransparentBlack;
        }
    }
}

void FillRect(QImage& dst, QRect area, QRgb colour)
{
    const QRect clipped = area.intersected(dst.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        auto* out = reinterpret_cast<QRgb*>(dst.scanLine(y));
        std::fill(out + clipped.left(), out + clipped.right() + 1, colour);
    }
}

} // namespace velmoro::skin
