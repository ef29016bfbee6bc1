#pragma once
// How values of the main window map to pictures and back, and where a
// press lands. Fractions of the classic layout (0.54, 1.54, 0.7 ...)
// are kept as exact ratios so rounding never depends on floating point.
#include "skin/mainwindowtable.h"

#include <QChar>
#include <QPoint>
#include <QRect>

namespace velmoro::skin {

inline constexpr int kSkinWidth = kMainWindow.size.width();
inline constexpr int kSkinHeight = kMainWindow.size.height();
inline constexpr int kShadeHeight = kMainWindow.shadeHeight;

// num / den to the nearest integer, halves to the even neighbour (den > 0).
int RoundDiv(long long num, long long den);

// num / den cut toward zero (den > 0).
constexpr int TruncDiv(long long num, long long den)
{
    return int(num / den);
}

// A rectangle given by its corners, right and bottom excluded.
constexpr QRect Span(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

// Where a thumb's left edge travels: from `left` over `travel` pixels,
// the bar's width less the thumb's.
struct ThumbTravel {
    int left;
    int travel;
};
inline constexpr int kThumbWidth = 14;         // volume and balance, 11 rows
inline constexpr int kPositionThumbWidth = 29; // 10 rows
inline constexpr ThumbTravel kVolumeBar{107, 68 - kThumbWidth};
inline constexpr ThumbTravel kBalanceBar{177, 38 - kThumbWidth};
inline constexpr ThumbTravel kPositionBar{16, 248 - kPositionThumbWidth};

// Frame of the volume bar; drawn only from volume 5.
int VolumeFrame(int volume);
QRect VolumeThumbRect(int volume);

// Frame of the balance bar, balance clamped to 0..100; drawn only up to 95.
int BalanceFrame(int balance);
QRect BalanceThumbRect(int balance);

QRect PositionThumbRect(int position);

// The shade mode's small position bar in the title bar, from titlebar.bmp:
// its groove and a 3-pixel thumb whose picture shows which part of the
// track it is in (left, middle or right cell).
inline constexpr QRect kShadePositionBar(226, 4, 17, 7);
inline constexpr QRect kShadePositionGroove(0, 36, 17, 7);
QRect ShadePositionThumbRect(int position);
QRect ShadePositionThumbCell(int position);

// Length in pixels of a level meter bar, and whether column k (0..77) is lit.
int MeterLength(int value);
bool MeterColumnLit(int value, int column);
// Index into the skin colours of column k.
int MeterColorIndex(int column);

// Whether a press lands on a thumb (which then does not jump); these hit
// areas are the classic ones and differ slightly from where the thumbs are drawn.
bool OnVolumeThumb(QPoint p, int volume);
bool OnBalanceThumb(QPoint p, int balance);
bool OnPositionThumb(QPoint p, int position);

// Values a press at x gives on the sliders.
int VolumeAt(int x);
int BalanceAt(int x);

// Inside test with every bound excluded, as the hit areas are given.
constexpr bool Inside(QPoint p, int left, int right, int top, int bottom)
{
    return HitBox{left, right, top, bottom}.Contains(p);
}

// PressedButton for a point (0 none, 1..6 transport and eject, 7 shuffle,
// 8 repeat, 9 equalizer, 10 playlist); later areas win where they overlap.
int ButtonAt(QPoint p);

// PressedTitleButton for a point (0 none, 1 menu, 2 minimize, 3 close, 4 shade).
int TitleButtonAt(QPoint p);

} // namespace velmoro::skin
