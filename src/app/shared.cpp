#include "app/shared.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace velmoro::app {

QString IncludeTrailingSlash(const QString& path)
{
    return path.endsWith(u'/') ? path : path + u'/';
}

std::uint32_t SkinColorToInt(const QString& text)
{
    const QString digits = text.trimmed().mid(1, 6).toUpper();
    const auto hex = [&](int at) -> std::uint32_t {
        if (at >= digits.size())
            return 0;
        const QChar c = digits[at];
        if (c >= u'0' && c <= u'9')
            return c.unicode() - u'0';
        if (c >= u'A' && c <= u'F')
            return c.unicode() - u'A' + 10;
        return 0;
    };
    const auto pair = [&](int at) { return hex(at) * 16 + hex(at + 1); };
    return pair(0) | pair(2) << 8 | pair(4) << 16;
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
