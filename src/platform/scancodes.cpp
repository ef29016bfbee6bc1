#include "platform/scancodes.h"

#include <Qt>

#include <array>

namespace velmoro::platform {

namespace {

// Linux key codes of the arrows and their set-1 scan codes.
int ArrowToSet1(int keyCode)
{
    switch (keyCode) {
    case 103:
        return 72; // up
    case 105:
        return 75; // left
    case 106:
        return 77; // right
    case 108:
        return 80; // down
    default:
        return keyCode;
    }
}

// Set-1 scan codes of the letters on a US layout, A to Z.
constexpr std::array<int, 26> kLetters = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                                          49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};

int FromQtKey(int key)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return kLetters[std::size_t(key - Qt::Key_A)];
    switch (key) {
    case Qt::Key_Up:
        return 72;
    case Qt::Key_Left:
        return 75;
    case Qt::Key_Right:
        return 77;
    case Qt::Key_Down:
        return 80;
    default:
        return 0;
    }
}

} // namespace

int ScanCodeOf(quint32 nativeScanCode, int qtKey)
{
    if (nativeScanCode > 8 && nativeScanCode < 8 + 256)
        return ArrowToSet1(int(nativeScanCode) - 8);
    return FromQtKey(qtKey);
}

} // namespace velmoro::platform
