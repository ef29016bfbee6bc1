#pragma once
// Keyboard commands answer to the physical key, whatever the layout: the
// scan code (set 1) of the key pressed.
#include <QtGlobal>

namespace velmoro::platform {

// The set-1 scan code of a key press, or 0 when it has none we know. On X11
// and Wayland the native scan code is the Linux key code + 8, which equals set
// 1 for the letter keys; the arrows are mapped. Without a native code (a
// synthetic event), the key of a US layout stands in for its position.
int ScanCodeOf(quint32 nativeScanCode, int qtKey);

} // namespace velmoro::platform
