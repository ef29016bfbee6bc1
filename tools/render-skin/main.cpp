// velmoro-render-skin: the player's --render-skin mode as a program of its
// own, for skin authors. Runs without a display.
// Usage: velmoro-render-skin [options] SKIN|- OUT.png (a folder or a .wsz)
#include "skin/rendercommand.h"

int main(int argc, char** argv)
{
    return velmoro::skin::RunRenderSkinProgram(argc, argv, 1);
}
