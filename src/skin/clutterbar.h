#pragma once
// The clutterbar: five small buttons down the main window's left edge, O
// (options), A (always on top), I (file information), D (double size) and
// V (visualization), painted in titlebar.bmp beside the title bars. A and
// D stay lit while their mode is on; each button lights while it is held.
#include "skin/elements.h"
#include "skin/spritecanvas.h"

#include <QFlags>
#include <QPoint>
#include <QRect>

#include <span>

namespace velmoro::skin {

enum ClutterButton {
    kClutterOptions = 1,
    kClutterOnTop,
    kClutterFileInfo,
    kClutterDoubleSize,
    kClutterVisualization,
};

// The modes whose buttons stay lit.
enum TClutterMode { cmOnTop = 0x1, cmDoubleSize = 0x2 };
Q_DECLARE_FLAGS(TClutterModes, TClutterMode)

// The whole bar in the window and its unlit picture in titlebar.bmp.
inline constexpr QRect kClutterBarArea(10, 22, 8, 43);
inline constexpr QPoint kClutterBarCell(304, 0);

struct ClutterButtonCell {
    int id;
    QRect area;   // in the window; a press inside it hits the button
    QPoint litAt; // the lit picture's corner in titlebar.bmp
};

std::span<const ClutterButtonCell> ClutterButtons();

// The button under p, or 0.
int ClutterButtonAt(QPoint p);

// The bar with the held button and the buttons of the modes that are on lit.
QRect DrawClutterBar(SpriteCanvas& canvas, int titlebarSheet, int pressed, TClutterModes modes);

} // namespace velmoro::skin

Q_DECLARE_OPERATORS_FOR_FLAGS(velmoro::skin::TClutterModes)
