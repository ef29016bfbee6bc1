#pragma once
// PlayerMenu and CanzoniMenu, their items made from the command table.
#include "player/commandtable.h"

#include <QMenu>
#include <QWidget>

namespace velmoro::player {

struct PlayerMenus {
    QMenu* PlayerMenu;
    QMenu* CanzoniMenu;
};

// The menu items whose commands exist so far, in their places; the others
// come with their windows. Each item runs its command on actions. owner
// owns the menus.
PlayerMenus BuildPlayerMenus(QWidget* owner, PlayerActions& actions);

// The items of CanzoniMenu: commands of the table under names and captions
// of their own.
struct MenuAlias {
    CommandId id;
    const char* objectName;
    const char* caption;
};
std::span<const MenuAlias> CanzoniMenuItems();

} // namespace velmoro::player
