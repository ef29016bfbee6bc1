#pragma once
// The player's desktop entry (velmoro.desktop): how a launcher starts it,
// which file types it opens, and the launcher's right-click actions that
// send their command to the running player.
#include <QString>
#include <QStringList>

#include <optional>

namespace velmoro::shell {

// The MIME type of an extension of the options' list (MP1, MP2 and MP3 are
// audio/mpeg, M3U audio/x-mpegurl, PLS audio/x-scpls), in any case; none
// for any other.
std::optional<QString> MimeTypeOfExtension(const QString& extension);
// The types of these extensions in their order, each once.
QStringList MimeTypesOfExtensions(const QStringList& extensions);

struct DesktopEntry {
    QString program; // an absolute path, or a name found on the PATH
    QString icon;    // an absolute path, or an icon theme's name
    QStringList mimeTypes;
};

// The file's text. The launcher hands over the file opened with it as one
// argument (%f); each action runs the program with --command.
QString DesktopEntryText(const DesktopEntry& entry);

// One argument of an Exec line, quoted and escaped as the desktop entry
// format asks when it holds a space or another reserved character.
QString ExecArgument(const QString& argument);

} // namespace velmoro::shell
