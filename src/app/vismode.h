#pragma once
// The display area's visualization modes, in the order of their menu items,
// which is also the order of the cycle that a click on the area steps along,
// and the settings' radio button of each.
#include <QStringView>

#include <optional>

namespace velmoro::app {

enum class VisMode { Oscilloscope, VUMeter, Spectrum, Plugin, None };
inline constexpr int kVisModeCount = 5;

// The settings' radio button of a mode ("AbilitaOscilloscopioCheck" …).
const char* VisModeRadio(VisMode mode);

// The mode of a radio button of the settings' mode group; none for any
// other name.
std::optional<VisMode> VisModeOfRadio(QStringView settingName);

} // namespace velmoro::app
