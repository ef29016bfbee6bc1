#pragma once
// The single-letter key commands stay quiet while a window where the user
// types or picks shows, and listen again once it is closed.
#include "app/playerstate.h"

namespace velmoro::options {

inline void MarkDialogShown(app::WindowFlags& flags, bool shown)
{
    flags.HotKeysEnabled = !shown;
    flags.DialogOpen = shown;
}

} // namespace velmoro::options
