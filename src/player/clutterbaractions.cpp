#include "player/clutterbaractions.h"

#include "skin/clutterbar.h"

#include <QAction>

namespace velmoro::player {

namespace {

void PopupSubmenu(QMenu& playerMenu, const QString& objectName, QPoint at)
{
    if (const auto* item = playerMenu.findChild<QAction*>(objectName); item && item->menu())
        item->menu()->popup(at);
}

} // namespace

void RunClutterButton(int button, QPoint at, QMenu& playerMenu, PlayerActions& actions)
{
    switch (button) {
    case skin::kClutterOptions:
        PopupSubmenu(playerMenu, QStringLiteral("MenuOpzioni"), at);
        break;
    case skin::kClutterOnTop:
        RunCommand(actions, CommandId::StayOnTop);
        break;
    case skin::kClutterFileInfo:
        RunCommand(actions, CommandId::FileInfo);
        break;
    case skin::kClutterDoubleSize:
        RunCommand(actions, CommandId::DoubleSize);
        break;
    case skin::kClutterVisualization:
        PopupSubmenu(playerMenu, QStringLiteral("Visualizzazione1"), at);
        break;
    default:
        break;
    }
}

void ConnectClutterBar(skin::TWinampSkin& skin, QMenu& playerMenu, PlayerActions& actions)
{
    QObject::connect(&skin, &skin::TWinampSkin::OnClutterClick, &playerMenu,
                     [&playerMenu, &actions](skin::TWinampSkin*, int button, QPoint at) {
                         RunClutterButton(button, at, playerMenu, actions);
                     });
}

} // namespace velmoro::player
