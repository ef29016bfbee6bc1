#pragma once
// The options of a start that concern the one running player:
// "--new-instance" (a player of its own beside the running one) and
// "--command NAME" (a command for the running player, the desktop entry's
// actions use it).
#include "shell/commandcodes.h"
#include "shell/instancechannel.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace velmoro::shell {

enum class InstanceMode { Shared, New };

struct StartOptions {
    InstanceMode instance = InstanceMode::Shared;
    std::optional<CommandCode> command;
    QString error; // in Italian, for standard error; empty when the options are good
};

// Takes the options out of arguments (the program's name first), leaving
// the rest as they were.
StartOptions TakeStartOptions(QStringList& arguments);

// The command line as the registered open command writes it: the program,
// then each argument in double quotes.
QString QuotedCommandLine(const QStringList& arguments);

// The arguments with each relative name of an existing file made absolute:
// the running player works in a folder of its own.
QStringList WithAbsoluteFileNames(const QStringList& arguments);

// What this start hands to a running player: its command, or else its
// command line.
Handoff HandoffOf(const StartOptions& options, const QString& commandLine);

// A command line naming nothing but the program: a start that only wants
// to see the player.
bool NamesOnlyTheProgram(const QString& commandLine);

} // namespace velmoro::shell
