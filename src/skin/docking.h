#pragma once
// The drag rule of the skinned windows: a window follows the cursor at its
// grab offset and snaps to the edges of the screen it is dragged on when it
// comes near them; the player carries the windows docked to it.
#include <QPoint>
#include <QRect>
#include <QSize>

namespace velmoro::skin {

struct SnapRule {
    bool enabled = true; // ScreenHookCheck
    int distance = 20;   // SensHookVal, pixels
};

// The window's new top-left corner for a cursor at `cursor`, grab offset
// `grab` (window corner − cursor), window size `window`, on `screen` (the
// area of the screen under the cursor, in the desktop's coordinates). Each
// edge is tested on the proposed position, left, top, right, bottom in that
// order, so a later test wins on the same axis.
QPoint SnapWindowToScreen(QPoint cursor, QPoint grab, QSize window, QRect screen, const SnapRule& rule);

// The usable area of the screen under `point` (the primary screen's when no
// screen holds it), for SnapWindowToScreen.
QRect ScreenAreaAt(QPoint point);

// SnapWindowToScreen for the mouse cursor where it is now, on the screen
// under it: where a skinned window dragged by its grab offset goes.
QPoint DraggedWindowPosition(QPoint grab, QSize window, const SnapRule& rule);

// Where a docked window goes when the player moves to `player`: it keeps
// `offset` (player corner − docked window corner) as recorded before the drag.
constexpr QPoint CarriedPosition(QPoint player, QPoint offset)
{
    return player - offset;
}

} // namespace velmoro::skin
