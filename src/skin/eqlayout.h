#pragma once
// Where everything of the equalizer window lies: the controls in window
// coordinates and their sprites in eqmain.bmp. The one place that knows the
// window's geometry, so a scaled window scales from here.
#include "skin/skingeometry.h"

#include <QRect>
#include <QSize>

#include <array>

namespace velmoro::skin {

inline constexpr QSize kEqWindowSize(275, 116);
inline constexpr QSize kEqSheetSize(275, 315);
inline constexpr int kEqSliderCount = 11; // the preamplifier, then bands 1 to 10
inline constexpr int kEqLowestPosition = -14;
inline constexpr int kEqHighestPosition = 14;

// Controls, in window coordinates.
inline constexpr QRect kEqBackground(0, 0, 275, 116); // SfondoEq, the grab area
inline constexpr QRect kEqEnableButton(14, 18, 24, 12);
inline constexpr QRect kEqAutoButton(38, 18, 34, 12);
inline constexpr QRect kEqPresetButton(217, 18, 44, 12);
inline constexpr QRect kEqCurve(86, 17, 113, 19);
inline constexpr std::array<int, kEqSliderCount> kEqSliderLefts{21,  79,  99,  119, 135, 151,
                                                                167, 183, 207, 223, 239};
inline constexpr int kEqSliderTop = 38;
inline constexpr QSize kEqSliderSize(14, 63);

constexpr QRect EqSliderRect(int slider)
{
    return QRect(kEqSliderLefts[std::size_t(slider)], kEqSliderTop, kEqSliderSize.width(),
                 kEqSliderSize.height());
}

// Sprites of eqmain.bmp.
inline constexpr QRect kEqBackgroundSprite = Span(0, 0, 275, 116);
inline constexpr QRect kEqTitleBarSprite = Span(0, 134, 275, 148);
inline constexpr QRect kEqEnableOffSprite = Span(10, 119, 34, 131);
inline constexpr QRect kEqEnableOnSprite = Span(69, 119, 93, 131);
inline constexpr QRect kEqEnablePressedOffSprite = Span(187, 119, 211, 131);
inline constexpr QRect kEqEnablePressedOnSprite = Span(128, 119, 152, 131);
inline constexpr QRect kEqAutoOffSprite = Span(34, 119, 68, 131);
inline constexpr QRect kEqAutoOnSprite = Span(93, 119, 127, 131);
inline constexpr QRect kEqAutoPressedOffSprite = Span(211, 119, 245, 131);
inline constexpr QRect kEqAutoPressedOnSprite = Span(152, 119, 186, 131);
inline constexpr QRect kEqPresetSprite = Span(224, 164, 268, 176);
inline constexpr QRect kEqPresetPressedSprite = Span(224, 176, 268, 188);
inline constexpr QRect kEqCurveSprite = Span(0, 294, 113, 313);
inline constexpr QRect kEqThumbSprite = Span(0, 164, 11, 175);
inline constexpr QRect kEqThumbPressedSprite = Span(0, 176, 11, 187);
// The curve's colours, one a row of the curve area, top first.
inline constexpr QRect kEqCurveColoursSprite = Span(115, 294, 116, 313);

// The slider background for a position (−14 at the top … +14 at the
// bottom): 1 to 14 from the upper strip, −1 to −14 from the lower one,
// each frame as wide as the slider at x = 13 + 15 k, where skins paint them.
// The middle has no frame of its own; it shows the frame of 1 (x = 208 of
// the upper strip), which classic skins paint as the middle and the
// built-in skin nearly flat.
QRect EqSliderBackgroundSprite(int position);

// Where the thumb of a slider at a position lies in the slider.
constexpr QRect EqThumbRect(int position)
{
    return Span(0, 2 * (position + 14), 11, 2 * (position + 14) + 11);
}

// The slider position under a point of the slider (y from its top),
// Round(y × 28 / 64) − 14, held at −14…+14.
int EqPositionAt(int y);

// The curve area shows 20 Hz to 20 kHz on the octave scale, one frequency
// a column, and ±14 dB over its rows, 0 dB in the middle one.
double EqCurveFrequency(int column);
int EqCurveRow(double dB);

} // namespace velmoro::skin
