#include "shell/fileregistration.h"

#include "platform/logging.h"
#include "platform/wholefile.h"
#include "shell/desktopentry.h"
#include "shell/iconfiles.h"
#include "shell/mimeapps.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>

#include <cerrno>

namespace velmoro::shell {

namespace {

const QString kDesktopId = QStringLiteral("velmoro.desktop");
const QString kExtensions = QStringLiteral("ExtListBox");

QString FolderOf(const char* variable, const QString& fallbackBelowHome)
{
    const QString value = qEnvironmentVariable(variable);
    // The format allows only absolute paths; anything else is unset.
    if (QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    return QDir::home().filePath(fallbackBelowHome);
}

int WriteText(const QString& path, const QString& text)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        qCWarning(lcPlatform) << "could not make the folder of" << path;
        return EACCES;
    }
    const int error = platform::WriteFileAtomically(path, text.toUtf8());
    if (error)
        qCWarning(lcPlatform) << "could not write" << path << ":" << qt_error_string(error);
    return error;
}

} // namespace

UserFolders UserFoldersOfEnvironment()
{
    return {FolderOf("XDG_DATA_HOME", QStringLiteral(".local/share")),
            FolderOf("XDG_CONFIG_HOME", QStringLiteral(".config"))};
}

FileRegistration::FileRegistration(const settings::Settings& settings, const app::AppDirectories& dirs,
                                   RegistrationOptions options)
    : m_settings(settings), m_dirs(dirs), m_options(std::move(options))
{
}

QString FileRegistration::DesktopEntryPath() const
{
    return m_options.folders.dataHome + QStringLiteral("/applications/") + kDesktopId;
}

QString FileRegistration::IconPath() const
{
    return m_options.folders.dataHome + QStringLiteral("/icons/velmoro-file.png");
}

QString FileRegistration::MimeAppsPath() const
{
    return m_options.folders.configHome + QStringLiteral("/mimeapps.list");
}

QStringList FileRegistration::SelectedMimeTypes() const
{
    const QStringList lines = m_settings.Lines(kExtensions);
    QStringList selected;
    for (int i = 0; i < lines.size(); ++i) {
        if (m_settings.Selected(kExtensions, i))
            selected << lines.at(i);
    }
    return MimeTypesOfExtensions(selected);
}

QString FileRegistration::WriteIcon() const
{
    const QString file = IconFileAt(IconFiles(m_dirs), m_settings.Position(QStringLiteral("TrackIcone")));
    const QImage picture = file.isEmpty() ? QImage() : QImage(file);
    if (picture.isNull())
        return QStringLiteral("velmoro");
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    const QString path = IconPath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (const int error = platform::WriteFileAtomically(path, png)) {
        qCWarning(lcPlatform) << "could not write" << path << ":" << qt_error_string(error);
        return QStringLiteral("velmoro");
    }
    return path;
}

int FileRegistration::RegisterFileClass()
{
    const DesktopEntry entry{m_options.program, WriteIcon(), SelectedMimeTypes()};
    return WriteText(DesktopEntryPath(), DesktopEntryText(entry));
}

int FileRegistration::RegisterExtensions()
{
    const QStringList types = SelectedMimeTypes();
    if (types.isEmpty())
        return 0;
    if (m_options.writer == DefaultsWriter::XdgMimeWhereInstalled) {
        const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
        if (!xdgMime.isEmpty() &&
            QProcess::execute(xdgMime, QStringList{QStringLiteral("default"), kDesktopId} + types) == 0)
            return 0;
        if (!xdgMime.isEmpty())
            qCInfo(lcPlatform) << "xdg-mime failed; mimeapps.list is written directly";
    }
    return SetDefaultApplication(MimeAppsPath(), kDesktopId, types);
}

} // namespace velmoro::shell
