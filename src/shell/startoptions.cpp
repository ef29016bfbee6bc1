#include "shell/startoptions.h"

#include <QFileInfo>

namespace velmoro::shell {

StartOptions TakeStartOptions(QStringList& arguments)
{
    StartOptions options;
    if (arguments.removeAll(QStringLiteral("--new-instance")) > 0)
        options.instance = InstanceMode::New;
    const qsizetype at = arguments.indexOf(QStringLiteral("--command"), 1);
    if (at < 0)
        return options;
    if (at + 1 >= arguments.size()) {
        options.error = QStringLiteral("dopo --command serve un comando: %1").arg(CommandNames().join(u' '));
        return options;
    }
    const QString name = arguments.at(at + 1);
    options.command = CommandCodeOfName(name);
    if (!options.command)
        options.error =
            QStringLiteral("comando sconosciuto: %1 (comandi: %2)").arg(name, CommandNames().join(u' '));
    arguments.remove(at, 2);
    return options;
}

QString QuotedCommandLine(const QStringList& arguments)
{
    QStringList quoted;
    for (const QString& argument : arguments)
        quoted << u'"' + argument + u'"';
    return quoted.join(u' ');
}

QStringList WithAbsoluteFileNames(const QStringList& arguments)
{
    QStringList absolute = arguments;
    for (qsizetype i = 1; i < absolute.size(); ++i) {
        const QFileInfo file(absolute.at(i));
        if (file.isRelative() && file.exists())
            absolute[i] = file.absoluteFilePath();
    }
    return absolute;
}

Handoff HandoffOf(const StartOptions& options, const QString& commandLine)
{
    if (options.command)
        return Handoff{Handoff::Kind::Command, QString(), *options.command};
    return Handoff{Handoff::Kind::CommandLine, commandLine, {}};
}

bool NamesOnlyTheProgram(const QString& commandLine)
{
    return commandLine.count(u'"') <= 2;
}

} // namespace velmoro::shell
