#include "skin/skindirectory.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <algorithm>

namespace velmoro::skin {

SkinDirectory::SkinDirectory(const QString& path) : m_path(path)
{
    const QDir dir(path);
    // Only regular files (and links to them): a FIFO or a device under a
    // skin file's name would block the reader.
    if (!path.isEmpty() && dir.exists())
        m_files = dir.entryList(QDir::Files | QDir::Hidden, QDir::Unsorted);
    std::sort(m_files.begin(), m_files.end());
}

QString SkinDirectory::Find(const QString& name) const
{
    QString found;
    for (const QString& file : m_files) {
        if (file == name)
            return QDir(m_path).filePath(file);
        if (found.isEmpty() && file.compare(name, Qt::CaseInsensitive) == 0)
            found = file;
    }
    return found.isEmpty() ? QString() : QDir(m_path).filePath(found);
}

std::optional<QByteArray> SkinDirectory::Read(const QString& name, qsizetype maxBytes) const
{
    const QString path = Find(name);
    if (path.isEmpty())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > maxBytes)
        return std::nullopt;
    QByteArray bytes = file.read(maxBytes + 1);
    if (bytes.size() > maxBytes || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

} // namespace velmoro::skin
