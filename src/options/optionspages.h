#pragma once
// The eight pages of the options window's page control, laid out with every
// control under its component name; the settings binder and the window's
// handlers find them by those names.
#include <QTabWidget>

namespace velmoro::options {

// The pages in their order on the page control.
enum class OptionsPage { Generali, Shell, Output, CrossFade, Skins, Visualizazione, Plugins, Net };

void BuildOptionsPages(QTabWidget& pages);

} // namespace velmoro::options
