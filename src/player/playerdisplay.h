#pragma once
// What the player's controllers read from and show on the main window, each
// as a small interface: the controllers never hold the window itself, and a
// test builds each of them over a few plain fields.
#include "player/commandtable.h"
#include "skin/skintypes.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace velmoro::player {

// The skin's controls that the commands move and the navigation reads.
class SkinControls {
public:
    virtual ~SkinControls() = default;
    virtual bool ShuffleOn() const = 0;
    virtual bool RepeatOn() const = 0;
    // The mode and its button's light together; no skin event is raised.
    virtual void SetShuffle(bool on) = 0;
    virtual void SetRepeat(bool on) = 0;
    virtual int Volume() const = 0; // 0–100
    virtual void SetVolume(int volume) = 0;
};

// What the refresh tick keeps in step with the playback.
class TickDisplay {
public:
    virtual ~TickDisplay() = default;
    virtual skin::TStatus Status() const = 0;
    virtual void SetStatus(skin::TStatus status) = 0;
    virtual int PositionBar() const = 0; // 0–256
    virtual void SetPositionBar(int position) = 0;
    virtual QString Progress() const = 0; // the time display, "" for none
    virtual void SetProgress(const QString& text) = 0;
    virtual int LeftMeter() const = 0; // 0–49
    virtual int RightMeter() const = 0;
    virtual void SetMeters(int left, int right) = 0;
};

// What only the player window itself can do for a command.
class PlayerWindow {
public:
    virtual ~PlayerWindow() = default;
    virtual QStringList ChooseFilesToOpen() = 0; // empty when cancelled
    virtual void ToggleStayOnTop() = 0;
    virtual void ShowEqualizerMessage() = 0;
    // Reloads the playlist window's skin and shows the window.
    virtual void ShowPlaylistWindow() = 0;
    virtual void CloseWindow() = 0;
    // Entries were added to the list: its window shows them.
    virtual void PlaylistChanged() = 0;
    // The refresh tick at its interval again, soon: it may have slept on a
    // still display or be waiting for the next change of time.
    virtual void WakeRefreshTick() = 0;
    // The display-area mode whose menu item is checked, none when none is.
    virtual std::optional<VisMode> MarkedVisMode() const = 0;
    // Checks the mode's menu item and clears the others'.
    virtual void MarkVisMode(VisMode mode) = 0;
    // The visualization plug-in in use, if any, told to start or stop.
    virtual void CallVisPluginStart() = 0;
    virtual void CallVisPluginStop() = 0;
    // The dialogs, each shown modally; a window without them does nothing.
    virtual void ShowAboutWindow() {}
    virtual void ShowJumpToFile() {}
    virtual void ShowJumpToPosition() {}
    // The file tags window for an existing file.
    virtual void ShowFileTags(const QString& /*fileName*/) {}
    // The URL dialog, modal.
    virtual void ShowUrlDialog() = 0;
    // The options window, modeless, as it was left or on one of its pages.
    enum class OptionsPageRequest { AsLeft, Visualization, Bookmarks };
    virtual void ShowOptionsWindow(OptionsPageRequest page) = 0;
    virtual void ShowSkinBrowser() = 0;
};

} // namespace velmoro::player
