#include "shell/mimeapps.h"

#include "platform/logging.h"
#include "platform/wholefile.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace velmoro::shell {

namespace {

constexpr std::int64_t kMaxFileBytes = 4 * 1024 * 1024;

bool IsSectionHeader(const QString& line)
{
    const QString trimmed = line.trimmed();
    return trimmed.startsWith(u'[') && trimmed.endsWith(u']');
}

// Puts desktopId first in type's value within section, adding the key, or
// the section at the end, where they are missing.
void PutFirst(QStringList& lines, const QString& section, const QString& type, const QString& desktopId)
{
    const QString header = u'[' + section + u']';
    qsizetype at = 0;
    while (at < lines.size() && lines.at(at).trimmed() != header)
        ++at;
    if (at == lines.size()) {
        while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
            lines.removeLast();
        if (!lines.isEmpty())
            lines << QString();
        lines << header;
        at = lines.size() - 1;
    }
    qsizetype end = at + 1;
    while (end < lines.size() && !IsSectionHeader(lines.at(end)))
        ++end;
    for (qsizetype i = at + 1; i < end; ++i) {
        const QString& line = lines.at(i);
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0 || line.left(equals).trimmed() != type)
            continue;
        QStringList programs{desktopId};
        for (const QString& program : line.mid(equals + 1).split(u';', Qt::SkipEmptyParts)) {
            if (program.trimmed() != desktopId)
                programs << program.trimmed();
        }
        lines[i] = type + u'=' + programs.join(u';') + u';';
        return;
    }
    // After the section's last line that is not blank.
    qsizetype insert = end;
    while (insert > at + 1 && lines.at(insert - 1).trimmed().isEmpty())
        --insert;
    lines.insert(insert, type + u'=' + desktopId + u';');
}

} // namespace

QString WithDefaultApplication(const QString& text, const QString& desktopId, const QStringList& mimeTypes)
{
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the final line break
    for (const QString& type : mimeTypes) {
        PutFirst(lines, QStringLiteral("Default Applications"), type, desktopId);
        PutFirst(lines, QStringLiteral("Added Associations"), type, desktopId);
    }
    return lines.join(u'\n') + u'\n';
}

int SetDefaultApplication(const QString& path, const QString& desktopId, const QStringList& mimeTypes)
{
    QByteArray old;
    if (QFileInfo::exists(path)) {
        if (const int error = platform::ReadWholeFile(path, kMaxFileBytes, old)) {
            qCWarning(lcPlatform) << "could not read" << path << ":" << qt_error_string(error);
            return error;
        }
    } else if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        qCWarning(lcPlatform) << "could not make the folder of" << path;
        return EACCES;
    }
    const QString text = WithDefaultApplication(QString::fromUtf8(old), desktopId, mimeTypes);
    const int error = platform::WriteFileAtomically(path, text.toUtf8());
    if (error)
        qCWarning(lcPlatform) << "could not write" << path << ":" << qt_error_string(error);
    return error;
}

} // namespace velmoro::shell
