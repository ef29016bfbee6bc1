#pragma once
// The player's side of its plug-ins: the folders they are found in, the
// visualization plug-in in use, the menu plug-ins with their items in the
// "Attrezzi" menu, and the one command a plug-in may send (pause).
#include "plugins/menuplugins.h"
#include "plugins/plugintext.h"
#include "plugins/visplugins.h"

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>

namespace velmoro::plugins {

class PluginHost : public QObject {
    Q_OBJECT
public:
    // folders: where plug-ins are looked for, in order. pause: what a menu
    // plug-in's pause command runs.
    PluginHost(QStringList folders, std::function<void()> pause);
    ~PluginHost() override;

    QStringList VisFiles() const { return PluginFiles(m_folders, QStringLiteral("vfx_*.so")); }
    QStringList MenuFiles() const { return PluginFiles(m_folders, QStringLiteral("menu_*.so")); }

    VisPlugins Vis;

    // "Carica Tutti": the lines for the options' list; the last plug-in
    // found stays in use.
    QStringList LoadVisPlugins();
    // The file of a line of that list, "" for none.
    QString VisFileOfLine(int line) const { return m_visLineFiles.value(line); }

    // Every menu plug-in not loaded yet loaded, an item for each appended
    // to tools; the descriptions of all, for the options' list.
    QStringList LoadMenuPlugins(QMenu* tools);
    // Menu_Plugon_ProcClick, and the options' "Configura" of a menu plug-in.
    void MenuAction(int slot) { m_menus.Action(slot); }
    // The slot of the options' list's line, -1 for none.
    int MenuSlotOfLine(int line) const;
    void UnloadMenuPlugins();

    // The host command handed to menu plug-ins: 1001 pauses, others do
    // nothing. From another thread it runs later on this one.
    static void MenuPluginCommand(int code);

private:
    QStringList m_folders;
    std::function<void()> m_pause;
    MenuPlugins m_menus;
    QStringList m_visLineFiles;
    QStringList m_menuDescriptions;
    std::vector<int> m_menuSlots; // by line of the options' list
    std::vector<QPointer<QAction>> m_items;
};

} // namespace velmoro::plugins
