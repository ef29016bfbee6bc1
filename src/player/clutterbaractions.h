#pragma once
// What the clutterbar's buttons do, through the player's commands: O opens
// the options submenu and V the visualization submenu of the player menu
// where the button was let go, A stays on top, I shows the file information,
// D switches double size.
#include "player/commandtable.h"
#include "skin/winampskin.h"

#include <QMenu>

namespace velmoro::player {

void ConnectClutterBar(skin::TWinampSkin& skin, QMenu& playerMenu, PlayerActions& actions);

// The action of one button; `at` is where the menus open, on the screen.
void RunClutterButton(int button, QPoint at, QMenu& playerMenu, PlayerActions& actions);

} // namespace velmoro::player
