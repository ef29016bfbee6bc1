#include "shell/iconfiles.h"

#include <QDir>
#include <QFileInfo>

#include <map>

namespace velmoro::shell {

QStringList IconFiles(const app::AppDirectories& dirs)
{
    std::map<QString, QString> byName; // sorted, the first folder wins
    for (const QString& folder : dirs.SearchDirs(QStringLiteral("Ico"))) {
        const QFileInfoList entries = QDir(folder).entryInfoList({QStringLiteral("*.ico")}, QDir::Files);
        for (const QFileInfo& entry : entries)
            byName.try_emplace(entry.fileName(), entry.absoluteFilePath());
    }
    QStringList files;
    for (const auto& [name, path] : byName)
        files << path;
    return files;
}

QString IconFileAt(const QStringList& files, int position)
{
    if (files.isEmpty())
        return QString();
    return position >= 0 && position < files.size() ? files.at(position) : files.first();
}

} // namespace velmoro::shell
