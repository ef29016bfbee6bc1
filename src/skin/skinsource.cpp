#include "skin/skinsource.h"

#include "skin/skinarchive.h"
#include "skin/skindirectory.h"

#include <QDir>
#include <QFileInfo>

namespace velmoro::skin {

const SkinSource& BuiltInSkin()
{
    // The resources hold upper-case names ("MAIN.bmp"); the folder rule
    // finds them under the names skins use.
    static const SkinDirectory builtIn(QStringLiteral(":/velmoro/skin"));
    return builtIn;
}

QString LocateSkin(const QString& path)
{
    if (path.isEmpty())
        return {};
    const QFileInfo info(path);
    if (info.exists())
        return path;
    // Listed rather than globbed: skin names such as "[Default]" are
    // patterns to a name filter.
    const QDir folder = info.dir();
    const QStringList files = folder.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& extension : {QStringLiteral(".wsz"), QStringLiteral(".zip")}) {
        const QString wanted = info.fileName() + extension;
        for (const QString& file : files)
            if (file.compare(wanted, Qt::CaseInsensitive) == 0)
                return folder.filePath(file);
    }
    return {};
}

std::unique_ptr<SkinSource> OpenSkinSource(const QString& path)
{
    const QString skin = LocateSkin(path);
    if (skin.isEmpty())
        return nullptr;
    if (QFileInfo(skin).isDir())
        return std::make_unique<SkinDirectory>(skin);
    return SkinArchive::FromFile(skin);
}

} // namespace velmoro::skin
