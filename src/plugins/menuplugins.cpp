#include "plugins/menuplugins.h"

#include "platform/logging.h"
#include "plugins/plugintext.h"

namespace velmoro::plugins {

std::vector<MenuPlugins::Loaded> MenuPlugins::LoadAll(const QStringList& files, void (*hostCommand)(int))
{
    if (files.size() > kSlots)
        qCWarning(lcPlayer) << "only the first" << kSlots << "menu plug-ins are loaded of" << files.size();
    std::vector<Loaded> loaded;
    for (int k = 0; k < std::min<int>(files.size(), kSlots); ++k) {
        if (m_slots[k].module)
            continue; // loaded before
        auto library = std::make_unique<QLibrary>(files[k]);
        const auto getModule = reinterpret_cast<VelmoroGetMenuModule>(library->resolve("GetMenuModule"));
        VelmoroMenuModule* module = getModule ? getModule() : nullptr;
        if (!module) {
            qCWarning(lcPlayer) << "not a menu plug-in:" << files[k] << library->errorString();
            library->unload();
            continue;
        }
        if (module->init)
            module->init();
        module->host_command = hostCommand;
        module->library = library.get();
        m_slots[k] = Slot{std::move(library), module};
        loaded.push_back({k, PluginText(module->caption), PluginText(module->description)});
    }
    return loaded;
}

void MenuPlugins::Action(int slot)
{
    if (slot < 0 || slot >= kSlots)
        return;
    if (VelmoroMenuModule* module = m_slots[slot].module; module && module->action)
        module->action();
}

void MenuPlugins::UnloadAll()
{
    for (Slot& slot : m_slots) {
        if (!slot.module)
            continue;
        // A C++ plug-in may let an exception out of its quit; it must not
        // stop the others' quit nor the close.
        try {
            if (slot.module->quit)
                slot.module->quit();
        } catch (...) {
            qCWarning(lcPlayer) << "a menu plug-in's quit failed:" << slot.library->fileName();
        }
        slot.module = nullptr;
        slot.library->unload();
        slot.library.reset();
    }
}

} // namespace velmoro::plugins
