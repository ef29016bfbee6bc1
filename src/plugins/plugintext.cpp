#include "plugins/plugintext.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <cstring>

namespace velmoro::plugins {

QString PluginText(const char* text)
{
    if (!text)
        return {};
    const std::size_t length = strnlen(text, kMaxPluginTextBytes);
    QString decoded = QString::fromUtf8(text, qsizetype(length));
    decoded.removeIf([](QChar c) { return c.category() == QChar::Other_Control; });
    // A cut through the last character leaves a replacement mark: drop it.
    if (length == kMaxPluginTextBytes && decoded.endsWith(QChar::ReplacementCharacter))
        decoded.chop(1);
    return decoded;
}

QStringList PluginFiles(const QStringList& folders, const QString& pattern)
{
    QStringList files;
    QSet<QString> names;
    for (const QString& folder : folders) {
        const QFileInfoList found = QDir(folder).entryInfoList({pattern}, QDir::Files | QDir::Readable,
                                                               QDir::Name | QDir::IgnoreCase);
        for (const QFileInfo& file : found) {
            if (!names.contains(file.fileName())) {
                names.insert(file.fileName());
                files << file.absoluteFilePath();
            }
        }
    }
    return files;
}

} // namespace velmoro::plugins
