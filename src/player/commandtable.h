#pragma once
// The player's commands, each in one row: the menu item that shows it, its
// caption and shortcut letter, the key that runs it and what it does. The
// menus, the key handler and whatever else offers the player's commands (the
// tray, the system menu, a second start of the program, the menu plug-ins)
// enumerate this table or run a command by its id, so that a caption, a
// letter and a key cannot drift apart.
#include "app/vismode.h"

#include <QString>
#include <QStringView>

#include <span>

namespace velmoro::player {

// What the commands do; the player's command controller carries them out.
class PlayerActions {
public:
    virtual ~PlayerActions() = default;
    virtual void OpenFiles() = 0; // the eject button's open-file dialog
    virtual void Play() = 0;
    virtual void Pause() = 0;
    virtual void Stop() = 0;
    virtual void Previous() = 0;
    virtual void Next() = 0;
    virtual void BackFiveSeconds() = 0;
    virtual void ForwardFiveSeconds() = 0;
    virtual void AddCurrentBookmark() = 0;
    virtual void ToggleShuffle() = 0;
    virtual void ToggleRepeat() = 0;
    virtual void ToggleStayOnTop() = 0;
    virtual void ToggleDoubleSize() = 0; // the skinned windows at twice their size
    virtual void ToggleCountDown() = 0;
    virtual void ShowPlaylist() = 0; // its skin reloaded, the playlist window shown
    virtual void Equalizer() = 0;    // says the equalizer does not work yet
    virtual void Exit() = 0;
    virtual void VolumeUp() = 0; // five points, within 0–100
    virtual void VolumeDown() = 0;
    // The display area's modes: each checks its radio button of the settings
    // and marks its menu item.
    virtual void ShowOscilloscope() = 0;
    virtual void ShowVUMeter() = 0;
    virtual void ShowSpectrum() = 0;
    virtual void ShowPlugin() = 0; // the mark only: starting the plug-in selects it
    virtual void ShowNothing() = 0;
    // The visualization plug-in started (its mode selected) or stopped.
    virtual void StartVisPlugin() = 0;
    virtual void StopVisPlugin() = 0;
    virtual void OpenSoundSettings() = 0; // the desktop's own sound panel
    virtual void ReportBug() = 0;         // a new mail to the project
    virtual void ShowAbout() = 0;
    virtual void JumpToFile() = 0;     // the jump-to-song dialog
    virtual void JumpToPosition() = 0; // the jump-to-position dialog
    // The file tags window for the file now playing; nothing when that is no
    // file (a stream, or nothing opened).
    virtual void ShowFileInfo() = 0;
    virtual void OpenUrl() = 0; // the URL dialog, modal
    // The options window, modeless: as it was left, on its visualization
    // page, on its page of bookmarks.
    virtual void ShowOptions() = 0;
    virtual void ShowVisSettings() = 0;
    virtual void EditBookmarks() = 0;
    virtual void ShowSkinBrowser() = 0;
};

// A command's id stays the same for as long as the command exists: other
// processes and plug-ins may ask for it by number.
enum class CommandId {
    OpenFile,
    Play,
    Pause,
    Stop,
    Previous,
    Next,
    BackFiveSeconds,
    ForwardFiveSeconds,
    AddCurrentBookmark,
    Shuffle,
    Repeat,
    StayOnTop,
    CountDown,
    Equalizer,
    Exit,
    VolumeUp,
    VolumeDown,
    ShowPlaylist,
    AboutWindow,
    OpenUrl,
    JumpToFile,
    JumpToPosition,
    EditBookmarks,
    FileInfo,
    ReportBug,
    VisOscilloscope, // the five modes in the order of VisMode
    VisVUMeter,
    VisSpectrum,
    VisPlugin,
    VisNone,
    VisSettings,
    StartVisPlugin,
    StopVisPlugin,
    Options,
    SkinBrowser,
    SoundSettings,
    DoubleSize,
};

using app::kVisModeCount;
using app::VisMode;

constexpr CommandId VisModeCommand(VisMode mode)
{
    return CommandId(int(CommandId::VisOscilloscope) + int(mode));
}
static_assert(VisModeCommand(VisMode::None) == CommandId::VisNone);

constexpr VisMode NextVisMode(VisMode mode)
{
    return VisMode((int(mode) + 1) % kVisModeCount);
}

struct CommandEntry {
    CommandId id;
    const char* objectName; // of its PlayerMenu item; "" for a command only a key runs
    const char* caption;    // UTF-8
    char shortcut;          // the letter shown beside the caption, 0 for none
    int scanCode;           // the set-1 code of the key that runs it, 0 for none
    // nullptr while the window the command opens does not exist: its item is
    // shown disabled and its key does nothing.
    void (PlayerActions::*action)();
    // The set-1 code of the key that runs it with Ctrl held, 0 for none.
    int controlScanCode = 0;
};

// Every command, in the order of the player menu.
std::span<const CommandEntry> PlayerCommandTable();

// nullptr when no command has that id, name or key.
const CommandEntry* FindCommand(CommandId id);
const CommandEntry* FindCommandByName(QStringView objectName);
const CommandEntry* FindCommandByScanCode(int scanCode);

// The text of the command's menu item: the caption, then a tab and the
// shortcut letter when it has one.
QString MenuText(const CommandEntry& entry);

// Runs the command with that id; a command without an action does nothing.
// An id from outside that names no command is a broken caller: it asserts in
// a debug build and does nothing in a release build.
void RunCommand(PlayerActions& actions, CommandId id);
// Runs the command of a key. Most keys have none: those do nothing, and so
// do the keys of commands without an action.
void RunKeyCommand(PlayerActions& actions, int scanCode);
// Runs the command of a key pressed with Ctrl; false when no command has
// that key with Ctrl (the plain key's command may then run).
bool RunControlKeyCommand(PlayerActions& actions, int scanCode);

} // namespace velmoro::player
