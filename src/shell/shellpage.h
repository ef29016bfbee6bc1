#pragma once
// The options' "Shell" page on this desktop: the icon track bars span the
// icons found in the Ico folders and show the chosen one, and "&Registra
// estensioni" registers the file class and the selected extensions.
#include "app/shared.h"
#include "settings/settings.h"
#include "shell/fileregistration.h"

#include <QWidget>

namespace velmoro::shell {

// The icon track bars span the icons of the Ico folders, at start: the
// options window is made only when first wanted. The icons found.
QStringList SpanIconTracks(settings::Settings& settings, const app::AppDirectories& dirs);
// The page's previews and its button, once the options window is made.
void ConnectShellPage(QWidget& options, settings::Settings& settings, const QStringList& icons,
                      FileRegistration& registration);

} // namespace velmoro::shell
