#pragma once
// The player's place on the desktop for as long as it runs: it takes what
// later starts hand over, answers the media keys (MPRIS), and keeps the tray
// icon, the taskbar button and the Alt+Space menu.
#include "shell/desktopshell.h"
#include "shell/fileregistration.h"
#include "shell/instancechannel.h"
#include "shell/mprisservice.h"
#include "shell/playermediahost.h"

#include <QObject>

#include <optional>

namespace velmoro::player {
class TPlayerForm;
}

namespace velmoro::shell {

class DesktopSession : public QObject {
    Q_OBJECT
public:
    // channel: listening already, or not at all (a player beside another);
    // startCommand: the --command of this start, run once the player has
    // loaded its playlist.
    DesktopSession(player::TPlayerForm& player, app::PlayerState& state, settings::Settings& settings,
                   audio::IAudioLibrary& audio, InstanceChannel& channel,
                   std::optional<CommandCode> startCommand, QObject* parent = nullptr);

    // The player has loaded its playlist and opened its own command line:
    // the start's command runs, then whatever later starts handed over.
    void PlayerStarted();
    // What a later start handed over, as the player runs it.
    void RunHandoff(const Handoff& handoff);

    PlayerMediaHost Host;
    DesktopShell Shell;
    MprisService Mpris;
    // "Registra all'avvio" runs it once the player has started.
    FileRegistration Registration;

private:
    player::TPlayerForm& m_player;
    const app::PlayerState& m_state;
    settings::Settings& m_settings;
    InstanceChannel& m_channel;
    std::optional<CommandCode> m_startCommand;
};

} // namespace velmoro::shell
