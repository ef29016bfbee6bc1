#include "skin/clutterbar.h"

#include <array>

namespace velmoro::skin {

namespace {

// The lit pictures stand in a diagonal below the bar's own column, each
// one column of buttons further right.
constexpr std::array<ClutterButtonCell, 5> kButtons = {{
    {kClutterOptions, {10, 25, 8, 8}, {304, 47}},
    {kClutterOnTop, {10, 33, 8, 7}, {312, 55}},
    {kClutterFileInfo, {10, 40, 8, 7}, {320, 62}},
    {kClutterDoubleSize, {10, 47, 8, 8}, {328, 69}},
    {kClutterVisualization, {10, 55, 8, 7}, {336, 77}},
}};

bool Lit(int id, int pressed, TClutterModes modes)
{
    return id == pressed || (id == kClutterOnTop && modes.testFlag(cmOnTop)) ||
           (id == kClutterDoubleSize && modes.testFlag(cmDoubleSize));
}

} // namespace

std::span<const ClutterButtonCell> ClutterButtons()
{
    return kButtons;
}

int ClutterButtonAt(QPoint p)
{
    for (const ClutterButtonCell& button : kButtons)
        if (button.area.contains(p))
            return button.id;
    return 0;
}

QRect DrawClutterBar(SpriteCanvas& canvas, int titlebarSheet, int pressed, TClutterModes modes)
{
    canvas.Draw(kClutterBarArea, titlebarSheet, QRect(kClutterBarCell, kClutterBarArea.size()));
    for (const ClutterButtonCell& button : kButtons)
        if (Lit(button.id, pressed, modes))
            canvas.Draw(button.area, titlebarSheet, QRect(button.litAt, button.area.size()));
    return kClutterBarArea;
}

} // namespace velmoro::skin
