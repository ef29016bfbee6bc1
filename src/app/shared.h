#pragma once
// Small operations every part of the program uses.
#include <QString>
#include <QStringList>
#include <cstdint>

namespace velmoro::app {

// Path with "/" appended when it does not end with one ("" gives "/").
QString IncludeTrailingSlash(const QString& path);

// The program's directories: the executable's own when it is writable (a
// portable install), else the user's data directory. Both are searched for
// the skins, languages, icons and plug-ins that come with the program.
struct AppDirectories {
    QString AppDir;     // with a trailing "/"
    QString SkinsDir;   // AppDir + "Skins/"
    QString SkinDir;    // SkinsDir + "[Default]"
    QString InstallDir; // the executable's directory, with "/"

    // Where a folder of things that come with the program ("Skins/",
    // "Lang/", "Ico/", "Plugins/") is looked for: under AppDir, then under
    // the install directory when that is another one.
    QStringList SearchDirs(const QString& folder) const;
};
AppDirectories ResolveAppDirectories(const QString& executableDir, const QString& userDataDir);

} // namespace velmoro::app
