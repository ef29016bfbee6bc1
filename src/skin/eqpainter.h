#pragma once
// The equalizer window's part of a skin (eqmain.bmp) and its painting into
// an off-screen image: the background and title bar, the three buttons in
// their states, the curve area and the eleven sliders. Each function
// returns the rectangle it changed. No widget here: tests and the command
// line renderer paint without a display.
#include "skin/eqlayout.h"
#include "skin/skinsource.h"

#include <QImage>
#include <QRect>

#include <array>
#include <optional>
#include <vector>

namespace velmoro::skin {

class EqualizerSkin {
public:
    // The built-in sheet.
    EqualizerSkin();
    // The skin's eqmain.bmp when it has a readable one; else the sheet stays.
    void Load(const SkinSource& source);
    const QImage& Sheet() const { return m_sheet; }

private:
    QImage m_sheet;
};

enum class EqButtonLook { Off, On, PressedOff, PressedOn };

struct EqSliderLook {
    int position = 0; // −14 at the top … +14 at the bottom
    bool thumbPressed = false;
};

struct EqualizerView {
    EqButtonLook enable = EqButtonLook::Off;
    EqButtonLook autoButton = EqButtonLook::Off;
    bool presetPressed = false;
    // None: the slider was never drawn, the background shows there.
    std::array<std::optional<EqSliderLook>, kEqSliderCount> sliders;
    // The response in dB at each column of the curve area
    // (EqCurveFrequency); empty: the area's background only.
    std::vector<double> curve;
};

// The whole window into target, which is made kEqWindowSize large.
void PaintEqualizerWindow(const EqualizerSkin& skin, const EqualizerView& view, QImage& target);

// One part of a window painted before.
QRect PaintEqEnableButton(const EqualizerSkin& skin, const EqualizerView& view, QImage& target);
QRect PaintEqAutoButton(const EqualizerSkin& skin, const EqualizerView& view, QImage& target);
QRect PaintEqPresetButton(const EqualizerSkin& skin, const EqualizerView& view, QImage& target);
QRect PaintEqCurve(const EqualizerSkin& skin, const EqualizerView& view, QImage& target);
QRect PaintEqSlider(const EqualizerSkin& skin, const EqualizerView& view, int slider, QImage& target);

} // namespace velmoro::skin
