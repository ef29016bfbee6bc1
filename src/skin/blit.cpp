#include "skin/blit.h"

#include <algorithm>

namespace velmoro::skin {

namespace {

constexpr QRgb kOpaque = 0xFF000000u;

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
        if (sy < 0 || sy >= src.height())
            continue;
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(sy));
        const int firstSx = from.left() + (clipped.left() - to.left());
        if (sameSize && firstSx >= 0 && firstSx + clipped.width() <= src.width()) {
            for (int i = 0; i < clipped.width(); ++i)
                out[clipped.left() + i] = in[firstSx + i] | kOpaque;
            continue;
        }
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            const int dx = x - to.left();
            const int sx = from.left() + (sameSize ? dx : int(qint64(dx) * from.width() / to.width()));
            if (sx >= 0 && sx < src.width())
                out[x] = in[sx] | kOpaque;
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
