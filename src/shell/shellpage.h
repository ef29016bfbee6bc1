#pragma once
// The options' "Shell" page on this desktop: the icon track bars span the
// icons found in the Ico folders and show the chosen one, and "&Registra
// estensioni" registers the file class and the selected extensions.
#include "app/shared.h"
#include "settings/settings.h"
#include "shell/fileregistration.h"

#include <QWidget>

namespace velmoro::shell {

void ConnectShellPage(QWidget& options, settings::Settings& settings, const app::AppDirectories& dirs,
                      FileRegistration& registration);

} // namespace velmoro::shell
