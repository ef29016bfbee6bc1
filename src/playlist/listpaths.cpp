#include "playlist/listpaths.h"

#include <QDir>
#include <QFileInfo>

namespace velmoro::playlist {

QString FullPath(const QString& name)
{
    return QDir::cleanPath(QFileInfo(name).absoluteFilePath());
}

QString DirectoryPart(const QString& path)
{
    return path.left(path.lastIndexOf(u'/') + 1);
}

QString ResolveEntryName(const QString& line, const QString& listDirectory)
{
    if (line.size() >= 2 && line[1] == u':')
        return line;
    QString name = line;
    name.replace(u'\\', u'/');
    return name.startsWith(u'/') ? name : listDirectory + name;
}

QString RelativeTo(const QString& path, const QString& directory)
{
    if (directory.isEmpty() || !path.startsWith(directory))
        return path;
    return path.mid(directory.size());
}

} // namespace velmoro::playlist
