#pragma once
// What a path's file name says about the file before it is opened.
#include <QString>

namespace velmoro::platform {

// The extension of the file name (the last component of the path) with its
// dot, upper-cased only for comparing; empty when the name has no dot. A dot
// in a folder name is no extension.
QString UpperExtension(const QString& path);

} // namespace velmoro::platform
