#pragma once
// The rows of a window's element table: where an element is drawn, which
// sheet and cells it draws, and where a press or the pointer finds it. Hit
// areas are given as the classic players gave them, every bound excluded,
// and they may overlap the neighbours: the later row wins.
#include "skin/spritecanvas.h"

#include <QPoint>
#include <QRect>

#include <functional>
#include <span>

namespace velmoro::skin {

// Left, right, top and bottom, all excluded.
struct HitBox {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;

    constexpr bool Contains(QPoint p) const
    {
        return left < p.x() && p.x() < right && top < p.y() && p.y() < bottom;
    }
};

// A push or toggle button, or an indicator: one cell of a sheet, moved on
// the sheet while it is held down and while it is on.
struct ButtonElement {
    int id; // what a hit test reports, 1 and up
    HitBox hit;
    int sheet;
    QRect to;
    QRect from;
    QPoint pressedShift;
    QPoint checkedShift;
};

// The id of the last button whose hit area holds p, or 0.
int ButtonHit(std::span<const ButtonElement> buttons, QPoint p);

// Draws every button of a group; `checked` tells which are on (none when
// empty). The rectangle that covers them all.
QRect DrawButtons(SpriteCanvas& canvas, std::span<const ButtonElement> buttons, int pressed,
                  const std::function<bool(int id)>& checked = {});

// A slider whose bar shows one of `frames` pictures stacked `frameStep`
// apart on its sheet, under a thumb with a normal and a held cell.
struct SliderElement {
    QRect track; // the whole travel of the thumb, restored from the background
    QRect bar;
    int sheet;
    QRect barCell; // frame 0
    int frameStep;
    int frames;
    QRect thumbCell;     // while the thumb is free
    QRect heldThumbCell; // while it is dragged
};

// The bar at `frame` and the thumb at `thumb`, or only the background when
// the slider hides at this value.
QRect DrawSlider(SpriteCanvas& canvas, const SliderElement& slider, int frame, QRect thumb, bool held,
                 bool visible);

// A cursor slot over an area of a window.
struct CursorArea {
    HitBox hit;
    int slot;
};

// The slot of the last area holding p, else `fallback`.
int CursorAt(std::span<const CursorArea> areas, QPoint p, int fallback);

} // namespace velmoro::skin
