#include "player/playermenu.h"

#include "platform/verify.h"

#include <array>

namespace velmoro::player {

namespace {

constexpr std::array kCanzoniItems{
    MenuAlias{CommandId::BackFiveSeconds, "Indietrodi5sec1", "Indietro di 5 sec"},
    MenuAlias{CommandId::ForwardFiveSeconds, "Avantidi5sec1", "Avanti di 5 sec"},
};

QAction* AddItem(QMenu* menu, const QString& objectName, const QString& text, CommandId id,
                 PlayerActions& actions)
{
    QAction* action = menu->addAction(text);
    action->setObjectName(objectName);
    QObject::connect(action, &QAction::triggered, menu, [&actions, id] { RunCommand(actions, id); });
    return action;
}

QAction* AddCommand(QMenu* menu, CommandId id, PlayerActions& actions)
{
    const CommandEntry* entry = FindCommand(id);
    VELMORO_VERIFY_OR_DEBUG_ASSERT(entry != nullptr)
    {
        return nullptr;
    }
    return AddItem(menu, QString::fromLatin1(entry->objectName), MenuText(*entry), id, actions);
}

QMenu* AddSubmenu(QMenu* menu, const char* objectName, const QString& caption)
{
    QMenu* submenu = menu->addMenu(caption);
    submenu->menuAction()->setObjectName(QString::fromLatin1(objectName));
    return submenu;
}

} // namespace

std::span<const MenuAlias> CanzoniMenuItems()
{
    return kCanzoniItems;
}

PlayerMenus BuildPlayerMenus(QWidget* owner, PlayerActions& actions)
{
    using enum CommandId;
    const auto add = [&actions](QMenu* menu, std::initializer_list<CommandId> ids) {
        for (CommandId id : ids)
            AddCommand(menu, id, actions);
    };
    auto* player = new QMenu(owner);
    player->setObjectName(QStringLiteral("PlayerMenu"));
    add(AddSubmenu(player, "File1", QStringLiteral("File")), {OpenFile});
    QMenu* play = AddSubmenu(player, "Play1", QStringLiteral("Playback"));
    add(play, {Play, Pause, Stop});
    play->addSeparator();
    add(play, {Previous, Next});
    play->addSeparator();
    add(play, {BackFiveSeconds, ForwardFiveSeconds});
    add(AddSubmenu(player, "SegnalibriMenu", QStringLiteral("Segnalibri")), {AddCurrentBookmark});
    player->addSeparator();
    QMenu* options = AddSubmenu(player, "MenuOpzioni", QStringLiteral("Opzioni ..."));
    add(options, {Shuffle, Repeat});
    options->addSeparator();
    if (QAction* onTop = AddCommand(options, StayOnTop, actions))
        onTop->setCheckable(true);
    add(options, {CountDown});
    player->addSeparator();
    add(player, {ShowPlaylist, Equalizer});
    player->addSeparator();
    add(player, {Exit});

    auto* canzoni = new QMenu(owner);
    canzoni->setObjectName(QStringLiteral("CanzoniMenu"));
    for (const MenuAlias& item : kCanzoniItems)
        AddItem(canzoni, QString::fromLatin1(item.objectName), QString::fromUtf8(item.caption), item.id,
                actions);
    return PlayerMenus{player, canzoni};
}

} // namespace velmoro::player
