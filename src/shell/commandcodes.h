#pragma once
// The numbers by which the desktop asks the player for a command: the
// single-key codes (the set-1 scan code of the key, as PlayerCommand takes
// them) and the numbers of the Alt+Space menu's entries, and the names a
// launcher's action or a script gives them on the command line
// ("velmoro --command play").
#include "player/commandtable.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <span>

namespace velmoro::shell {

// The Alt+Space menu's command numbers.
enum class SystemMenuCommand { About = 1000, Play = 1001, Pause = 1002, Stop = 1003, OpenFile = 1004 };

struct SystemMenuEntry {
    SystemMenuCommand command;
    const char* text; // with its & mnemonic
};

// The Alt+Space menu's entries in their order; a separator goes before the
// about, open and play entries.
std::span<const SystemMenuEntry> SystemMenuEntries();

// The single-key code a system-menu entry stands for; none for the about
// entry, which opens a window that no key opens.
std::optional<int> KeyCodeOfSystemMenuCommand(SystemMenuCommand command);

// What the desktop asks for by number: a system-menu number (1000–1004)
// or a key code.
struct CommandCode {
    int number = 0;
    bool IsSystemMenuCommand() const { return number >= 1000 && number <= 1004; }
};

// The code of a name of --command ("play", "pause", "stop", "next",
// "previous", "open", "about", "volume-up", "volume-down", "forward",
// "back"); none for any other name.
std::optional<CommandCode> CommandCodeOfName(const QString& name);
// The names, for the usage text.
QStringList CommandNames();

// What a code makes the player do. Each path ends in the player's one
// command table, so the code behaves as the key or menu item would.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    virtual void PlayerCommand(int keyCode) = 0;
    virtual void RunCommand(player::CommandId id) = 0;
};

// A system-menu number runs its entry (about: the about window's command);
// any other number is a key code for PlayerCommand, where unknown codes do
// nothing.
void RunCommandCode(CommandTarget& target, CommandCode code);

} // namespace velmoro::shell
