#pragma once
// Velmoro as the user's program for its file types: the desktop entry and
// its icon under $XDG_DATA_HOME, and the defaults in mimeapps.list for the
// extensions selected in the options. Nothing here needs root.
#include "app/shared.h"
#include "settings/settings.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace velmoro::shell {

struct UserFolders {
    QString dataHome;   // $XDG_DATA_HOME, ~/.local/share by default
    QString configHome; // $XDG_CONFIG_HOME, ~/.config by default
};
UserFolders UserFoldersOfEnvironment();

// How the defaults are made: with the desktop's own xdg-mime where it is
// installed (it knows the desktop's quirks), else by editing mimeapps.list.
enum class DefaultsWriter { XdgMimeWhereInstalled, MimeAppsList };

struct RegistrationOptions {
    QString program; // the player's executable, absolute
    UserFolders folders;
    DefaultsWriter writer = DefaultsWriter::XdgMimeWhereInstalled;
};

class FileRegistration {
public:
    FileRegistration(const settings::Settings& settings, const app::AppDirectories& dirs,
                     RegistrationOptions options);

    // Writes velmoro.desktop, naming the types of the selected extensions,
    // and the icon chosen with TrackIcone. 0 or the system's error code.
    int RegisterFileClass();
    // Makes the player the default for the selected extensions' types;
    // nothing when none is selected. 0 or the system's error code.
    int RegisterExtensions();

    QString DesktopEntryPath() const;
    QString IconPath() const;
    QString MimeAppsPath() const;

private:
    QStringList SelectedMimeTypes() const;
    // The chosen icon file as a PNG beside the desktop entry's folders; the
    // theme's name when there is none to convert.
    QString WriteIcon() const;

    const settings::Settings& m_settings;
    const app::AppDirectories& m_dirs;
    RegistrationOptions m_options;
};

} // namespace velmoro::shell
