#pragma once
// PlayerMenu and CanzoniMenu, their items made from the command table.
#include "player/commandtable.h"
#include "player/playerdisplay.h"

#include <QMenu>
#include <QWidget>

#include <optional>

namespace velmoro::player {

struct PlayerMenus {
    QMenu* PlayerMenu;
    QMenu* CanzoniMenu;
};

// Every item of both menus in its place, separators named as well. Each
// item runs its command on actions; the items of commands without an action
// are disabled. The check marks of shuffle and repeat are read from
// playModes whenever their submenu opens, since the skin's own buttons flip
// the modes without telling anyone. owner owns the menus.
PlayerMenus BuildPlayerMenus(QWidget* owner, PlayerActions& actions, const SkinControls& playModes);

// The display-area mode whose item is checked; none when no item is.
std::optional<VisMode> MarkedVisMode(const QMenu& playerMenu);
// Checks the mode's item and clears the others'; runs no command.
void MarkVisMode(QMenu& playerMenu, VisMode mode);

// The items of CanzoniMenu: commands of the table under names and captions
// of their own, some after a separator.
struct MenuAlias {
    CommandId id;
    const char* objectName;
    const char* caption;
    const char* separatorBefore = nullptr; // its name
};
std::span<const MenuAlias> CanzoniMenuItems();

} // namespace velmoro::player
