#pragma once
// The two menu items that hand over to the desktop: its sound settings and
// a new mail to the project in the user's mail program.
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <optional>

namespace velmoro::player {

struct DesktopCommand {
    QString program; // the full path found
    QStringList arguments;
};

// The path of an installed program, empty when none, as
// QStandardPaths::findExecutable finds it.
using FindExecutable = std::function<QString(const QString& name)>;

// The first installed of the mixer of the sound server (pavucontrol), the
// desktops' own sound panels, and the desktops' settings programs; none
// when nothing of them is installed.
std::optional<DesktopCommand> PickSoundSettings(const FindExecutable& find);

// Starts the sound settings found on the PATH as a process of their own that
// outlives the player; nothing happens when none is installed.
void OpenSoundSettings();

// The "mailto:" address of the project's bug reports.
QUrl BugReportAddress();
// Opens a new mail to it in the user's mail program.
void OpenBugReport();

} // namespace velmoro::player
