// velmoro-render-skin: the --render-skin mode as a program of its own until
// the player exists. Runs without a display.
// Usage: velmoro-render-skin [options] SKIN_DIRECTORY|- OUT.png
#include "skin/rendercommand.h"

#include <QApplication>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return velmoro::skin::RunRenderSkinCommand(app.arguments().mid(1));
}
