#include "dialogs/gradientcolor.h"

#include <algorithm>
#include <cmath>

namespace velmoro::dialogs {

namespace {

// from − round(f × (from − to)), for one 8-bit component.
int Blend(int from, int to, double f)
{
    return from - int(std::nearbyint(f * double(from - to)));
}

QRgb BlendColours(QRgb from, QRgb to, double f)
{
    return qRgb(Blend(qRed(from), qRed(to), f), Blend(qGreen(from), qGreen(to), f),
                Blend(qBlue(from), qBlue(to), f));
}

} // namespace

QRgb GradientColor(QRgb c1, QRgb c2, QRgb c3, int p, int n)
{
    if (n <= 0)
        return qRgb(qRed(c1), qGreen(c1), qBlue(c1));
    const int half = n / 2;
    if ((c1 & 0xFFFFFF) == (c2 & 0xFFFFFF))
        return BlendColours(c1, c3, std::clamp(double(p) / n, 0.0, 1.0));
    const int k = p > half ? p - half : p;
    const double f = std::clamp(2.0 * k / n, 0.0, 1.0);
    return p <= half ? BlendColours(c1, c2, f) : BlendColours(c2, c3, f);
}

QRgb TitleFade::Step()
{
    m_counter += m_step;
    if (m_counter < 0)
        m_step = +5;
    if (m_counter > 100)
        m_step = -5;
    return GradientColor(0x000000, 0xFFFF00, 0xFF0000, m_counter, 123);
}

} // namespace velmoro::dialogs
