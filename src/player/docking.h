#pragma once
// The drag rule of the skinned windows: the window follows the cursor at its
// grab offset and snaps to the screen edges when it comes near them.
#include <QPoint>
#include <QSize>

namespace velmoro::player {

struct SnapRule {
    bool enabled = true; // ScreenHookCheck
    int distance = 20;   // SensHookVal, pixels
};

// The window's new top-left corner for a cursor at `cursor`, grab offset
// `grab` (window corner − cursor), window size `window` on a screen of size
// `screen`. Each edge is tested on the proposed position, left, top, right,
// bottom in that order, so a later test wins on the same axis.
QPoint SnapWindowToScreen(QPoint cursor, QPoint grab, QSize window, QSize screen, const SnapRule& rule);

} // namespace velmoro::player
