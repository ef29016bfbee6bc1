#include "app/shared.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace velmoro::app {

QString IncludeTrailingSlash(const QString& path)
{
    return path.endsWith(u'/') ? path : path + u'/';
}

namespace {

// Writable means a file can really be created there, not what the mode bits say.
bool IsWritableDirectory(const QString& dir)
{
    QTemporaryFile probe(IncludeTrailingSlash(dir) + QStringLiteral(".velmoro-XXXXXX"));
    return probe.open();
}

} // namespace

AppDirectories ResolveAppDirectories(const QString& executableDir, const QString& userDataDir)
{
    AppDirectories dirs;
    dirs.InstallDir = IncludeTrailingSlash(QDir::cleanPath(executableDir));
    if (IsWritableDirectory(executableDir)) {
        dirs.AppDir = dirs.InstallDir;
    } else {
        QDir().mkpath(userDataDir);
        dirs.AppDir = IncludeTrailingSlash(QDir::cleanPath(userDataDir));
    }
    dirs.SkinsDir = dirs.AppDir + QStringLiteral("Skins/");
    dirs.SkinDir = dirs.SkinsDir + QStringLiteral("[Default]");
    return dirs;
}

QStringList AppDirectories::SearchDirs(const QString& folder) const
{
    const QString sub = IncludeTrailingSlash(folder);
    QStringList dirs{AppDir + sub};
    if (InstallDir != AppDir)
        dirs << InstallDir + sub;
    return dirs;
}

} // namespace velmoro::app
