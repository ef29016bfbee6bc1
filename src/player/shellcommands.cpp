#include "player/shellcommands.h"

#include "platform/logging.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

#include <array>

namespace velmoro::player {

namespace {

struct Candidate {
    const char* program;
    const char* argument; // "" for none
};

// The mixer works on every desktop that runs PulseAudio or PipeWire, so it
// comes first; then each desktop's own sound page; last the settings
// programs that have no sound page to open directly.
constexpr std::array kSoundSettings{
    Candidate{"pavucontrol", ""},
    Candidate{"pavucontrol-qt", ""},
    Candidate{"gnome-control-center", "sound"},
    Candidate{"systemsettings", "kcm_pulseaudio"},
    Candidate{"systemsettings5", "kcm_pulseaudio"},
    Candidate{"cinnamon-settings", "sound"},
    Candidate{"mate-volume-control", ""},
    Candidate{"xfce4-settings-manager", ""},
    Candidate{"lxqt-config", ""},
};

} // namespace

std::optional<DesktopCommand> PickSoundSettings(const FindExecutable& find)
{
    for (const Candidate& candidate : kSoundSettings) {
        const QString path = find(QString::fromLatin1(candidate.program));
        if (path.isEmpty())
            continue;
        QStringList arguments;
        if (*candidate.argument)
            arguments << QString::fromLatin1(candidate.argument);
        return DesktopCommand{path, arguments};
    }
    return std::nullopt;
}

void OpenSoundSettings()
{
    const std::optional<DesktopCommand> command =
        PickSoundSettings([](const QString& name) { return QStandardPaths::findExecutable(name); });
    if (!command)
        qCInfo(lcPlayer) << "no sound settings program is installed";
    else if (!QProcess::startDetached(command->program, command->arguments))
        qCWarning(lcPlayer) << "could not start" << command->program;
}

QUrl BugReportAddress()
{
    return QUrl(QStringLiteral("mailto:bugs@velmoro.example?subject=Velmoro"));
}

void OpenBugReport()
{
    if (!QDesktopServices::openUrl(BugReportAddress()))
        qCWarning(lcPlayer) << "no mail program took" << BugReportAddress();
}

} // namespace velmoro::player
