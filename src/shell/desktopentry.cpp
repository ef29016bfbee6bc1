#include "shell/desktopentry.h"

#include <algorithm>
#include <array>

namespace velmoro::shell {

namespace {

struct LauncherAction {
    const char* id;
    const char* name;    // what the launcher's menu shows
    const char* command; // the --command name
};

constexpr std::array kActions{
    LauncherAction{"Play", "Play", "play"},
    LauncherAction{"Pause", "Pausa", "pause"},
    LauncherAction{"Stop", "Stop", "stop"},
    LauncherAction{"Open", "Apri file ...", "open"},
};

// A value of a key: backslashes and line breaks escaped.
QString EscapeValue(const QString& value)
{
    QString escaped = value;
    escaped.replace(u'\\', QLatin1String("\\\\"));
    escaped.replace(u'\n', QLatin1String("\\n"));
    return escaped;
}

} // namespace

std::optional<QString> MimeTypeOfExtension(const QString& extension)
{
    const QString upper = extension.toUpper();
    if (upper == u"MP1" || upper == u"MP2" || upper == u"MP3")
        return QStringLiteral("audio/mpeg");
    if (upper == u"M3U")
        return QStringLiteral("audio/x-mpegurl");
    if (upper == u"PLS")
        return QStringLiteral("audio/x-scpls");
    return std::nullopt;
}

QStringList MimeTypesOfExtensions(const QStringList& extensions)
{
    QStringList types;
    for (const QString& extension : extensions) {
        const std::optional<QString> type = MimeTypeOfExtension(extension);
        if (type && !types.contains(*type))
            types << *type;
    }
    return types;
}

QString ExecArgument(const QString& argument)
{
    static const QString kReserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString quoted = argument;
    quoted.replace(u'%', QLatin1String("%%"));
    if (!argument.isEmpty() &&
        std::none_of(argument.begin(), argument.end(), [](QChar c) { return kReserved.contains(c); }))
        return quoted;
    QString inner;
    for (const QChar c : quoted) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            inner += u'\\';
        inner += c;
    }
    return u'"' + inner + u'"';
}

QString DesktopEntryText(const DesktopEntry& entry)
{
    const QString program = ExecArgument(entry.program);
    QStringList actionIds;
    for (const LauncherAction& action : kActions)
        actionIds << QString::fromLatin1(action.id);
    QStringList lines{
        QStringLiteral("[Desktop Entry]"),
        QStringLiteral("Type=Application"),
        QStringLiteral("Version=1.4"),
        QStringLiteral("Name=Velmoro"),
        QStringLiteral("GenericName=Lettore MP3"),
        QStringLiteral("Comment=Ascolta file MP3 e radio in rete con le skin classiche"),
        QStringLiteral("Icon=") + EscapeValue(entry.icon),
        QStringLiteral("Exec=") + EscapeValue(program + QStringLiteral(" %f")),
        QStringLiteral("Terminal=false"),
        QStringLiteral("Categories=AudioVideo;Audio;Player;"),
        QStringLiteral("StartupWMClass=velmoro"),
    };
    if (!entry.mimeTypes.isEmpty())
        lines << QStringLiteral("MimeType=") + entry.mimeTypes.join(u';') + u';';
    lines << QStringLiteral("Actions=") + actionIds.join(u';') + u';';
    for (const LauncherAction& action : kActions) {
        lines << QString() << QStringLiteral("[Desktop Action %1]").arg(QLatin1String(action.id))
              << QStringLiteral("Name=") + QString::fromUtf8(action.name)
              << QStringLiteral("Exec=") +
                     EscapeValue(program + QStringLiteral(" --command ") + QLatin1String(action.command));
    }
    return lines.join(u'\n') + u'\n';
}

} // namespace velmoro::shell
