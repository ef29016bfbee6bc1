#include "shell/commandcodes.h"

#include <array>

namespace velmoro::shell {

namespace {

using player::CommandId;

constexpr std::array kSystemMenu{
    SystemMenuEntry{SystemMenuCommand::About, "&Informazioni ..."},
    SystemMenuEntry{SystemMenuCommand::OpenFile, "&Apri file ..."},
    SystemMenuEntry{SystemMenuCommand::Play, "&Play"},
    SystemMenuEntry{SystemMenuCommand::Pause, "P&ause"},
    SystemMenuEntry{SystemMenuCommand::Stop, "&Stop"},
};

struct NamedCommand {
    const char* name;
    CommandId id; // its key code is the table's
};

// The key commands a desktop action or a script is likely to want; the
// about window has no key, so it goes by its system-menu number.
constexpr std::array kNamedCommands{
    NamedCommand{"play", CommandId::Play},
    NamedCommand{"pause", CommandId::Pause},
    NamedCommand{"stop", CommandId::Stop},
    NamedCommand{"next", CommandId::Next},
    NamedCommand{"previous", CommandId::Previous},
    NamedCommand{"open", CommandId::OpenFile},
    NamedCommand{"volume-up", CommandId::VolumeUp},
    NamedCommand{"volume-down", CommandId::VolumeDown},
    NamedCommand{"forward", CommandId::ForwardFiveSeconds},
    NamedCommand{"back", CommandId::BackFiveSeconds},
};
constexpr const char* kAboutName = "about";

int KeyCodeOf(CommandId id)
{
    const player::CommandEntry* entry = player::FindCommand(id);
    return entry ? entry->scanCode : 0;
}

} // namespace

std::span<const SystemMenuEntry> SystemMenuEntries()
{
    return kSystemMenu;
}

std::optional<int> KeyCodeOfSystemMenuCommand(SystemMenuCommand command)
{
    switch (command) {
    case SystemMenuCommand::About:
        return std::nullopt;
    case SystemMenuCommand::Play:
        return KeyCodeOf(CommandId::Play);
    case SystemMenuCommand::Pause:
        return KeyCodeOf(CommandId::Pause);
    case SystemMenuCommand::Stop:
        return KeyCodeOf(CommandId::Stop);
    case SystemMenuCommand::OpenFile:
        return KeyCodeOf(CommandId::OpenFile);
    }
    return std::nullopt;
}

std::optional<CommandCode> CommandCodeOfName(const QString& name)
{
    if (name == QLatin1String(kAboutName))
        return CommandCode{int(SystemMenuCommand::About)};
    for (const NamedCommand& named : kNamedCommands) {
        if (name == QLatin1String(named.name))
            return CommandCode{KeyCodeOf(named.id)};
    }
    return std::nullopt;
}

QStringList CommandNames()
{
    QStringList names;
    for (const NamedCommand& named : kNamedCommands)
        names << QString::fromLatin1(named.name);
    names << QString::fromLatin1(kAboutName);
    return names;
}

void RunCommandCode(CommandTarget& target, CommandCode code)
{
    if (!code.IsSystemMenuCommand()) {
        target.PlayerCommand(code.number);
        return;
    }
    const auto command = SystemMenuCommand(code.number);
    if (const std::optional<int> key = KeyCodeOfSystemMenuCommand(command))
        target.PlayerCommand(*key);
    else
        target.RunCommand(CommandId::AboutWindow);
}

} // namespace velmoro::shell
