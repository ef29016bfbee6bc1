#include "plugins/pluginhost.h"

#include <QAction>
#include <QCoreApplication>
#include <QThread>

#include <atomic>

namespace velmoro::plugins {

namespace {

// The C entry a plug-in calls has no room for a context: the one host of
// the program answers it.
std::atomic<PluginHost*> g_host = nullptr;

} // namespace

PluginHost::PluginHost(QStringList folders, std::function<void()> pause)
    : m_folders(std::move(folders)), m_pause(std::move(pause))
{
    g_host = this;
}

PluginHost::~PluginHost()
{
    UnloadMenuPlugins();
    Vis.Unload();
    PluginHost* self = this;
    g_host.compare_exchange_strong(self, nullptr);
}

QStringList PluginHost::LoadVisPlugins()
{
    QStringList lines;
    m_visLineFiles.clear();
    for (const QString& file : VisFiles()) {
        const QStringList line = Vis.LoadAll({file});
        if (!line.isEmpty()) {
            lines << line;
            m_visLineFiles << file;
        }
    }
    return lines;
}

QStringList PluginHost::LoadMenuPlugins(QMenu* tools)
{
    for (const MenuPlugins::Loaded& plugin : m_menus.LoadAll(MenuFiles(), &PluginHost::MenuPluginCommand)) {
        m_menuDescriptions << plugin.description;
        m_menuSlots.push_back(plugin.slot);
        // Its caption is only text: an ampersand is no shortcut letter.
        QString caption = plugin.caption;
        QAction* item = tools->addAction(caption.replace(u'&', QStringLiteral("&&")));
        item->setObjectName(QStringLiteral("MenuPlugin%1").arg(plugin.slot));
        item->setData(plugin.slot);
        connect(item, &QAction::triggered, this, [this, slot = plugin.slot] { MenuAction(slot); });
        m_items.emplace_back(item);
    }
    if (!m_items.empty())
        tools->menuAction()->setEnabled(true);
    return m_menuDescriptions;
}

int PluginHost::MenuSlotOfLine(int line) const
{
    return line >= 0 && line < int(m_menuSlots.size()) ? m_menuSlots[line] : -1;
}

void PluginHost::UnloadMenuPlugins()
{
    for (const QPointer<QAction>& item : m_items)
        delete item.data();
    m_items.clear();
    m_menuSlots.clear();
    m_menuDescriptions.clear();
    m_menus.UnloadAll();
}

void PluginHost::MenuPluginCommand(int code)
{
    PluginHost* const current = g_host;
    if (code != VELMORO_COMMAND_PAUSE || !current)
        return;
    if (QThread::currentThread() == current->thread()) {
        current->m_pause();
        return;
    }
    QMetaObject::invokeMethod(
        current,
        [host = QPointer<PluginHost>(current)] {
            if (host)
                host->m_pause();
        },
        Qt::QueuedConnection);
}

} // namespace velmoro::plugins
