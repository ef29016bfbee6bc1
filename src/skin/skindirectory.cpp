#include "skin/skindirectory.h"

#include "platform/fileio.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace velmoro::skin {

namespace {

// The file may have become a FIFO or a device since the folder was listed:
// it is opened without blocking and read only when it is a regular file.
std::optional<QByteArray> ReadRegularFile(const QString& path, qsizetype maxBytes)
{
    platform::NativeFile file;
    platform::FileStatus status;
    if (file.Open(path, platform::NativeFile::Mode::ReadOnly) != 0 || !file.Status(status) ||
        !status.isRegular || status.size > maxBytes)
        return std::nullopt;
    QByteArray bytes(qsizetype(status.size), Qt::Uninitialized);
    // A file that shrinks while it is read is not taken half-read.
    if (file.ReadAt(0, bytes.data(), bytes.size()) != bytes.size())
        return std::nullopt;
    return bytes;
}

} // namespace

SkinDirectory::SkinDirectory(const QString& path) : m_path(path)
{
    const QDir dir(path);
    // Only regular files and links to them: a FIFO or a device under a skin
    // file's name would block the reader. The listing's own filter lets a
    // link to a FIFO through, so each target is looked at.
    if (!path.isEmpty() && dir.exists()) {
        for (const QFileInfo& info : dir.entryInfoList(QDir::Files | QDir::Hidden, QDir::Unsorted)) {
            if (info.isFile())
                m_files << info.fileName();
        }
    }
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
    if (!path.startsWith(u':'))
        return ReadRegularFile(path, maxBytes);
    // The built-in skin's resources are no files of the system.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > maxBytes)
        return std::nullopt;
    QByteArray bytes = file.read(maxBytes + 1);
    if (bytes.size() > maxBytes || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

} // namespace velmoro::skin
