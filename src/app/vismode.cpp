#include "app/vismode.h"

#include <QLatin1String>

#include <algorithm>
#include <array>

namespace velmoro::app {

namespace {

constexpr std::array<const char*, kVisModeCount> kVisModeRadios{
    "AbilitaOscilloscopioCheck", "VUMeterCheck", "SpettroCheck", "UsaPluginCheck", "OSCNessunoCheck",
};

} // namespace

const char* VisModeRadio(VisMode mode)
{
    return kVisModeRadios[std::size_t(mode)];
}

std::optional<VisMode> VisModeOfRadio(QStringView settingName)
{
    const auto it =
        std::find_if(kVisModeRadios.begin(), kVisModeRadios.end(),
                     [settingName](const char* radio) { return settingName == QLatin1String(radio); });
    if (it == kVisModeRadios.end())
        return std::nullopt;
    return VisMode(it - kVisModeRadios.begin());
}

} // namespace velmoro::app
