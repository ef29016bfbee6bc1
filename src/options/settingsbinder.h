#pragma once
// Keeps the options window's controls and the settings object in step, both
// ways: each control whose objectName is a setting's name shows that setting
// (value, range, lines) and writes it back when the user changes it, and a
// setting changed elsewhere (a menu command, a key) shows at once. One small
// binder per control kind; the window itself names no setting to bind.
#include "settings/settings.h"

#include <QWidget>

namespace velmoro::options {

// Binds every descendant of root named after a setting. A control of a kind
// that does not fit its setting is a mistake in the window: it is caught in
// debug builds and left unbound in release builds. Returns the number of
// controls bound.
int BindSettings(QWidget& root, settings::Settings& settings);

} // namespace velmoro::options
