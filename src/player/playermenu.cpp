#include "player/playermenu.h"

#include "platform/verify.h"

#include <QActionGroup>

#include <array>

namespace velmoro::player {

namespace {

using enum CommandId;

constexpr std::array kCanzoniItems{
    MenuAlias{BackFiveSeconds, "Indietrodi5sec1", "Indietro di 5 sec"},
    MenuAlias{ForwardFiveSeconds, "Avantidi5sec1", "Avanti di 5 sec"},
    MenuAlias{JumpToFile, "Vaiallacanzone2", "Vai al file ...", "N12"},
    MenuAlias{JumpToPosition, "Saltaalpunto1", "Vai alla posizione ..."},
    MenuAlias{FileInfo, "Informazionisulfile1", "Informazioni sul file ...", "N13"},
};

QAction* AddItem(QMenu* menu, const char* objectName, const QString& text, const CommandEntry& entry,
                 PlayerActions& actions)
{
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(objectName));
    if (!entry.action) {
        action->setEnabled(false);
        return action;
    }
    QObject::connect(action, &QAction::triggered, menu,
                     [&actions, id = entry.id] { RunCommand(actions, id); });
    return action;
}

// One menu being filled in order: commands, named separators, submenus.
class MenuFiller {
public:
    MenuFiller(QMenu* menu, PlayerActions& actions) : m_menu(menu), m_actions(actions) {}

    MenuFiller& Commands(std::initializer_list<CommandId> ids)
    {
        for (CommandId id : ids) {
            const CommandEntry* entry = FindCommand(id);
            VELMORO_VERIFY_OR_DEBUG_ASSERT(entry != nullptr)
            {
                continue;
            }
            AddItem(m_menu, entry->objectName, MenuText(*entry), *entry, m_actions);
        }
        return *this;
    }

    MenuFiller& Separator(const char* objectName)
    {
        m_menu->addSeparator()->setObjectName(QString::fromLatin1(objectName));
        return *this;
    }

    MenuFiller Submenu(const char* objectName, const QString& caption)
    {
        QMenu* submenu = m_menu->addMenu(caption);
        submenu->menuAction()->setObjectName(QString::fromLatin1(objectName));
        return MenuFiller(submenu, m_actions);
    }

    QMenu* Menu() const { return m_menu; }

private:
    QMenu* m_menu;
    PlayerActions& m_actions;
};

QAction* CommandItem(const QMenu& menu, CommandId id)
{
    const CommandEntry* entry = FindCommand(id);
    return entry ? menu.findChild<QAction*>(QString::fromLatin1(entry->objectName)) : nullptr;
}

void MakeVisModeGroup(QMenu& player)
{
    auto* group = new QActionGroup(&player);
    group->setExclusive(true);
    for (int mode = 0; mode < kVisModeCount; ++mode) {
        QAction* item = CommandItem(player, VisModeCommand(VisMode(mode)));
        item->setCheckable(true);
        group->addAction(item);
    }
}

QMenu* BuildCanzoniMenu(QWidget* owner, PlayerActions& actions)
{
    auto* canzoni = new QMenu(owner);
    canzoni->setObjectName(QStringLiteral("CanzoniMenu"));
    for (const MenuAlias& item : kCanzoniItems) {
        if (item.separatorBefore)
            canzoni->addSeparator()->setObjectName(QString::fromLatin1(item.separatorBefore));
        if (const CommandEntry* entry = FindCommand(item.id))
            AddItem(canzoni, item.objectName, QString::fromUtf8(item.caption), *entry, actions);
    }
    return canzoni;
}

} // namespace

std::span<const MenuAlias> CanzoniMenuItems()
{
    return kCanzoniItems;
}

PlayerMenus BuildPlayerMenus(QWidget* owner, PlayerActions& actions, const SkinControls& playModes)
{
    auto* player = new QMenu(owner);
    player->setObjectName(QStringLiteral("PlayerMenu"));
    MenuFiller top(player, actions);
    top.Commands({AboutWindow}).Separator("N2");
    top.Submenu("File1", QStringLiteral("File")).Commands({OpenFile, OpenUrl});
    top.Submenu("Play1", QStringLiteral("Playback"))
        .Commands({Play, Pause, Stop})
        .Separator("N4")
        .Commands({Previous, Next})
        .Separator("N5")
        .Commands({BackFiveSeconds, ForwardFiveSeconds})
        .Separator("N6")
        .Commands({JumpToFile, JumpToPosition});
    top.Submenu("SegnalibriMenu", QStringLiteral("Segnalibri"))
        .Commands({EditBookmarks})
        .Separator("N14")
        .Commands({AddCurrentBookmark});
    top.Commands({FileInfo}).Separator("N3").Commands({ReportBug}).Separator("N15");
    top.Submenu("Visualizzazione1", QStringLiteral("Visualizzazione"))
        .Commands({VisOscilloscope, VisVUMeter, VisSpectrum, VisPlugin, VisNone})
        .Separator("N8")
        .Commands({VisSettings})
        .Separator("N9")
        .Commands({StartVisPlugin, StopVisPlugin});
    QMenu* options = top.Submenu("MenuOpzioni", QStringLiteral("Opzioni ..."))
                         .Commands({Options, SkinBrowser})
                         .Separator("N10")
                         .Commands({Shuffle, Repeat})
                         .Separator("N11")
                         .Commands({StayOnTop, CountDown})
                         .Menu();
    // The menu plug-ins' items go after the hidden template; with none
    // loaded the submenu has nothing to offer.
    QMenu* tools = top.Submenu("Attrezzi1", QStringLiteral("Attrezzi")).Menu();
    tools->addAction(QString())->setObjectName(QStringLiteral("Menu_Plugon_Proc"));
    tools->actions().constLast()->setVisible(false);
    tools->menuAction()->setEnabled(false);
    top.Separator("N7").Commands({ShowPlaylist, Equalizer, SoundSettings}).Separator("N1").Commands({Exit});

    MakeVisModeGroup(*player);
    for (CommandId id : {Shuffle, Repeat, StayOnTop})
        CommandItem(*player, id)->setCheckable(true);
    QAction* shuffle = CommandItem(*player, Shuffle);
    QAction* repeat = CommandItem(*player, Repeat);
    QObject::connect(options, &QMenu::aboutToShow, options, [&playModes, shuffle, repeat] {
        shuffle->setChecked(playModes.ShuffleOn());
        repeat->setChecked(playModes.RepeatOn());
    });
    return PlayerMenus{player, BuildCanzoniMenu(owner, actions)};
}

std::optional<VisMode> MarkedVisMode(const QMenu& playerMenu)
{
    for (int mode = 0; mode < kVisModeCount; ++mode) {
        const QAction* item = CommandItem(playerMenu, VisModeCommand(VisMode(mode)));
        if (item && item->isChecked())
            return VisMode(mode);
    }
    return std::nullopt;
}

void MarkVisMode(QMenu& playerMenu, VisMode mode)
{
    if (QAction* item = CommandItem(playerMenu, VisModeCommand(mode)))
        item->setChecked(true);
}

} // namespace velmoro::player
