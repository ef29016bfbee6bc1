#pragma once
// A dialog's component under its component name: the language files and
// the tests find components by their objectName.
#include <QString>

namespace velmoro::dialogs {

template <typename Widget> Widget* Named(Widget* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace velmoro::dialogs
