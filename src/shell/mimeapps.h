#pragma once
// The user's choice of default programs per file type ($XDG_CONFIG_HOME/
// mimeapps.list), edited so that one program comes first for some types
// while every other line of the file stays as it was.
#include <QString>
#include <QStringList>

namespace velmoro::shell {

// The text with desktopId first in the "Default Applications" and "Added
// Associations" values of each type (the programs that stood there before
// follow it); sections and keys that are missing are added, everything else
// is kept, comments and foreign sections included.
QString WithDefaultApplication(const QString& text, const QString& desktopId, const QStringList& mimeTypes);

// Applies WithDefaultApplication to the file at path (created when missing),
// replacing it atomically. 0 or the system's error code.
int SetDefaultApplication(const QString& path, const QString& desktopId, const QStringList& mimeTypes);

} // namespace velmoro::shell
