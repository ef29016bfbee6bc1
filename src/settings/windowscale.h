#pragma once
// Double size: the skinned windows drawn at twice their size, pixel for
// pixel. Each window reads the scale from the settings and follows their
// Changed signal for this name.
#include "settings/settings.h"

#include <QString>

namespace velmoro::settings {

inline const QString kDoubleSizeSetting = QStringLiteral("DoppiaDimensioneCheck");

// 1, or 2 in double size.
inline int WindowScale(const Settings& settings)
{
    return settings.Checked(kDoubleSizeSetting) ? 2 : 1;
}

} // namespace velmoro::settings
