#pragma once
// What the options window, and the settings it edits, ask of the player's
// other windows.
#include "options/skinchoice.h"

#include <QList>
#include <QString>
#include <QWidget>

namespace velmoro::options {

class OptionsHost : public SkinTarget {
public:
    // The playlist window lists its rows again (the row template, numbers).
    virtual void RefreshPlaylistList() = 0;
    // Opens a file or an address as the current stream and plays it.
    virtual void OpenStream(const QString& nameOrUrl) = 0;
    // Every window of the program in the order it makes them. Windows made
    // on first use are left out unless asked to be made now.
    enum class LazyWindows { Skip, Make };
    virtual QList<QWidget*> LanguageWindows(LazyWindows lazy) = 0;
};

} // namespace velmoro::options
