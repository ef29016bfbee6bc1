#pragma once
// The icon files the options' icon track bars step through: "*.ico" in the
// program's Ico/ folders, by name.
#include "app/shared.h"

#include <QString>
#include <QStringList>

namespace velmoro::shell {

// Full paths, sorted by file name; a name under AppDir hides the same name
// in the install folder.
QStringList IconFiles(const app::AppDirectories& dirs);

// The file at a track bar's position; the first file for a position outside
// the list, and empty when there are no icon files.
QString IconFileAt(const QStringList& files, int position);

} // namespace velmoro::shell
