#pragma once
// The player's small dialogs: about, jump to a song or a position, the
// file tags and the playlist entry's name. Each is made the first time it
// is wanted and then kept, as a window that lives with the player: the
// about window's colour goes on from where it stopped, the position's
// text stays for the next time. Each shows modal to the whole program,
// without a nested event loop.
#include "app/audiodevice.h"
#include "app/playerstate.h"
#include "audio/audiolibrary.h"
#include "dialogs/changefilnameform.h"
#include "dialogs/forminfo.h"
#include "dialogs/jumpform.h"
#include "dialogs/jumptoform.h"
#include "dialogs/mpegform.h"
#include "settings/settings.h"

#include <functional>
#include <memory>

namespace velmoro::player {

class PlayerDialogs {
public:
    struct Hooks {
        std::function<void()> playCurrentEntry; // CurrentIndex's entry opened and played
        std::function<void()> playlistChanged;  // an entry changed: its window shows it
        std::function<void(QWidget&)> made;     // a dialog has just been made
    };
    PlayerDialogs(QWidget* parent, app::PlayerState& state, settings::Settings& settings,
                  audio::IAudioLibrary& audio, app::ShowErrorFunction showError, Hooks hooks);
    ~PlayerDialogs();

    void ShowAbout();
    void ShowJumpToFile();
    void ShowJumpToPosition();
    void ShowFileTags(const QString& fileName);
    // The dialog that renames entry index; nothing for an index outside the list.
    void EditEntryFileName(int index);

    dialogs::TFormInfo& FormInfo();
    dialogs::TjumpForm& jumpForm();
    dialogs::TjumptoForm& jumptoForm();
    dialogs::TmpegForm& mpegForm();
    dialogs::TChangeFilnameForm& ChangeFilnameForm();

private:
    // The playlist window's rows, as it shows them.
    QStringList PlaylistRows() const;

    QWidget* m_parent;
    app::PlayerState& m_state;
    settings::Settings& m_settings;
    audio::IAudioLibrary& m_audio;
    app::ShowErrorFunction m_showError;
    Hooks m_hooks;
    std::unique_ptr<dialogs::TFormInfo> m_formInfo;
    std::unique_ptr<dialogs::TjumpForm> m_jumpForm;
    std::unique_ptr<dialogs::TjumptoForm> m_jumptoForm;
    std::unique_ptr<dialogs::TmpegForm> m_mpegForm;
    std::unique_ptr<dialogs::TChangeFilnameForm> m_changeFilnameForm;
};

} // namespace velmoro::player
