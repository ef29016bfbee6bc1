#include "playlist/listpaths.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace velmoro::playlist {

namespace {

bool IsAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

} // namespace

QString FullPath(const QString& name)
{
    return QDir::cleanPath(QFileInfo(name).absoluteFilePath());
}

QString DirectoryPart(const QString& path)
{
    return path.left(path.lastIndexOf(u'/') + 1);
}

bool IsAddress(QStringView name)
{
    const qsizetype colon = name.indexOf(QStringLiteral("://"));
    if (colon < 2 || !IsAsciiLetter(name.front()))
        return false;
    return std::all_of(name.begin(), name.begin() + colon, [](QChar c) {
        return IsAsciiLetter(c) || (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.';
    });
}

bool IsStreamAddress(QStringView name)
{
    return name.startsWith(u"http://", Qt::CaseInsensitive) ||
           name.startsWith(u"https://", Qt::CaseInsensitive) ||
           name.startsWith(u"ftp://", Qt::CaseInsensitive);
}

QString ResolveEntryName(const QString& line, const QString& listDirectory)
{
    if ((line.size() >= 2 && line[1] == u':') || IsAddress(line))
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
