#pragma once
// The menu plug-ins: each adds an item to the player's "Attrezzi" menu and
// may send commands back. Each file has a slot, its place in the listing,
// which is its menu item's tag; a file that is no plug-in leaves its slot
// empty. User-interface thread only.
#include "velmoro/plugin.h"

#include <QLibrary>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <vector>

namespace velmoro::plugins {

class MenuPlugins {
public:
    static constexpr int kSlots = 65;

    struct Loaded {
        int slot;
        QString caption;
        QString description;
    };

    ~MenuPlugins() { UnloadAll(); }

    // Loads and initialises every plug-in of files (the 66th file and later
    // are not loaded) and hands each hostCommand.
    std::vector<Loaded> LoadAll(const QStringList& files, void (*hostCommand)(int));
    // The slot's action; an empty slot does nothing.
    void Action(int slot);
    // Every plug-in told to quit, then freed.
    void UnloadAll();

private:
    struct Slot {
        std::unique_ptr<QLibrary> library;
        VelmoroMenuModule* module = nullptr;
    };
    std::array<Slot, kSlots> m_slots;
};

} // namespace velmoro::plugins
