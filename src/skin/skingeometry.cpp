#include "skin/skingeometry.h"

#include <algorithm>
#include <cstdlib>

namespace velmoro::skin {

int RoundDiv(long long num, long long den)
{
    long long q = num / den;
    long long r = num % den;
    if (r < 0) { // floor division
        q -= 1;
        r += den;
    }
    if (2 * r > den || (2 * r == den && (q & 1)))
        ++q;
    return int(q);
}

int VolumeFrame(int volume)
{
    return TruncDiv(27LL * (volume + 1), 100);
}

// Skins paint each thumb as one unstretched cell and its groove for the
// thumb to travel exactly from one end of the bar to the other.
QRect VolumeThumbRect(int volume)
{
    const int v = std::clamp(volume, 0, 100);
    return QRect(kVolumeBar.left + TruncDiv(1LL * kVolumeBar.travel * v, 100), 58, kThumbWidth, 11);
}

int BalanceFrame(int balance)
{
    const int b = std::clamp(balance, 0, 100);
    return RoundDiv(54LL * std::abs(b - 50), 100);
}

QRect BalanceThumbRect(int balance)
{
    const int b = std::clamp(balance, 0, 100);
    return QRect(kBalanceBar.left + TruncDiv(1LL * kBalanceBar.travel * b, 100), 58, kThumbWidth, 11);
}

QRect PositionThumbRect(int position)
{
    const int p = std::clamp(position, 0, 256);
    return QRect(kPositionBar.left + TruncDiv(1LL * kPositionBar.travel * p, 256), 72, kPositionThumbWidth,
                 10);
}

QRect ShadePositionThumbRect(int position)
{
    const int p = std::clamp(position, 0, 256);
    constexpr int kThumb = 3;
    return QRect(kShadePositionBar.left() + TruncDiv(1LL * (kShadePositionBar.width() - kThumb) * p, 256),
                 kShadePositionBar.top(), kThumb, kShadePositionBar.height());
}

QRect ShadePositionThumbCell(int position)
{
    const int third = std::clamp(position, 0, 256) * 3 / 257; // 0, 1 or 2
    return QRect(17 + 3 * third, 36, 3, 7);
}

int MeterLength(int value)
{
    return RoundDiv(154LL * value, 100);
}

bool MeterColumnLit(int value, int column)
{
    // A full meter lights the last column too (78 in all), so the bar reaches
    // the end of its track.
    if (value >= 50)
        return column <= 77;
    return column >= 0 && 100LL * column < 154LL * value;
}

int MeterColorIndex(int column)
{
    return 17 - RoundDiv(16LL * column, 77);
}

bool OnVolumeThumb(QPoint p, int volume)
{
    const int left = RoundDiv(7LL * volume, 10) + 107;
    return Inside(p, left, left + 14, 57, 72);
}

bool OnBalanceThumb(QPoint p, int balance)
{
    const int left = RoundDiv(4LL * balance, 10) + 177;
    return Inside(p, left, left + 14, 57, 72);
}

bool OnPositionThumb(QPoint p, int position)
{
    const int left = RoundDiv(230LL * position, 256) + 18;
    return Inside(p, left, left + 29, 74, 84);
}

int VolumeAt(int x)
{
    if (x <= 104)
        return 0;
    if (x >= 172)
        return 100;
    return RoundDiv(10LL * (x - 104), 7);
}

int BalanceAt(int x)
{
    if (x <= 177)
        return 0;
    if (x >= 216)
        return 100;
    return RoundDiv(100LL * (x - 177), 38);
}

int ButtonAt(QPoint p)
{
    // The toggles come after the transport buttons, and no area of one
    // group touches the other.
    const int toggle = ButtonHit(ToggleButtons(), p);
    return toggle != 0 ? toggle : ButtonHit(TransportButtons(), p);
}

int TitleButtonAt(QPoint p)
{
    return ButtonHit(TitleBarButtons(), p);
}

} // namespace velmoro::skin
