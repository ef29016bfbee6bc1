#include "playlist/folderfiles.h"

#include <QCollator>
#include <QDir>
#include <QLocale>

#include <algorithm>

namespace velmoro::playlist {

QStringList FolderAudioAndListFiles(const QString& folder)
{
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists())
        return {};
    // QDir::Files is anything but a folder, a link to a FIFO or a device
    // included; only what is a regular file behind its links is kept. The
    // name filters match without regard to case.
    QStringList names;
    const QFileInfoList found =
        dir.entryInfoList({QStringLiteral("*.mp3"), QStringLiteral("*.mp1"), QStringLiteral("*.mp2"),
                           QStringLiteral("*.pls"), QStringLiteral("*.m3u")},
                          QDir::Files, QDir::NoSort);
    for (const QFileInfo& file : found)
        if (file.isFile())
            names << file.fileName();
    // Qt's collator of the C locale compares code points and has no numeric
    // mode; such a system sorts as English does.
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English);
    QCollator collator(locale);
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // Names the collator holds equal still come in one order.
    std::sort(names.begin(), names.end(), [&](const QString& a, const QString& b) {
        const int c = collator.compare(a, b);
        return c != 0 ? c < 0 : a < b;
    });
    QStringList paths;
    paths.reserve(names.size());
    for (const QString& name : names)
        paths << dir.filePath(name);
    return paths;
}

} // namespace velmoro::playlist
