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

QRect VolumeThumbRect(int volume)
{
    const int left = 104 + TruncDiv(53LL * (volume + 1), 100);
    const int right = 118 + TruncDiv(54LL * (volume + 1), 100);
    return Span(left, 58, right, 69);
}

int BalanceFrame(int balance)
{
    const int b = std::clamp(balance, 0, 100);
    return RoundDiv(54LL * std::abs(b - 50), 100);
}

QRect BalanceThumbRect(int balance)
{
    const int b = std::clamp(balance, 0, 100);
    return QRect(175 + TruncDiv(28LL * (b + 10), 100), 58, 14, 11);
}

QRect PositionThumbRect(int position)
{
    return Span(17 + TruncDiv(208LL * position, 256), 72, 45 + TruncDiv(218LL * position, 256), 82);
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
