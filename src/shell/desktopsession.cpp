#include "shell/desktopsession.h"

#include "player/playerform.h"
#include "shell/shellpage.h"
#include "shell/startoptions.h"

#include <QCoreApplication>
#include <QTimer>

namespace velmoro::shell {

namespace {

constexpr int kBusyRetryMs = 100;

} // namespace

DesktopSession::DesktopSession(player::TPlayerForm& player, app::PlayerState& state,
                               settings::Settings& settings, audio::IAudioLibrary& audio,
                               InstanceChannel& channel, std::optional<CommandCode> startCommand,
                               QObject* parent)
    : QObject(parent), Host(player, state, audio),
      Shell(player, *player.PlayerMenu, Host, settings, state.Dirs), Mpris(Host),
      Registration(settings, state.Dirs,
                   {QCoreApplication::applicationFilePath(), UserFoldersOfEnvironment(),
                    DefaultsWriter::XdgMimeWhereInstalled}),
      m_player(player), m_state(state), m_settings(settings), m_channel(channel), m_startCommand(startCommand)
{
    Shell.AddSystemMenuItems();
    Shell.ApplyShowChoice();
    player.WhenOptionsMade([this, &settings, icons = SpanIconTracks(settings, state.Dirs)](QWidget& options) {
        ConnectShellPage(options, settings, icons, Registration);
    });
    m_channel.OnHandoff = [this](const Handoff& handoff) { RunHandoff(handoff); };
    // A new track is told at once, not at the next round of the timer.
    connect(&player.Engine, &app::PlaybackEngine::Playing, &Mpris, &MprisService::PublishChanges);
}

void DesktopSession::PlayerStarted()
{
    if (m_settings.Checked(QStringLiteral("AvvRegCheck"))) {
        Registration.RegisterFileClass();
        Registration.RegisterExtensions();
    }
    if (const std::optional<CommandCode> command = std::exchange(m_startCommand, std::nullopt))
        RunCommandCode(Host, *command);
    m_channel.SetReady();
    Mpris.PublishChanges();
}

void DesktopSession::RunHandoff(const Handoff& handoff)
{
    // A playlist load keeps the window alive by running events; a message
    // taken among them waits until the list is whole.
    if (m_state.Tracks.Playlist.Busy()) {
        QTimer::singleShot(kBusyRetryMs, this, [this, handoff] { RunHandoff(handoff); });
        return;
    }
    if (handoff.kind == Handoff::Kind::Command) {
        RunCommandCode(Host, handoff.code);
    } else if (NamesOnlyTheProgram(handoff.commandLine)) {
        Host.Raise();
    } else {
        m_player.OpenCommandLine(handoff.commandLine);
        m_player.PlaylistChanged();
    }
    Mpris.PublishChanges();
}

} // namespace velmoro::shell
