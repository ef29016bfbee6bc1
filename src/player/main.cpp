// Velmoro: the program.
#include "app/audiolog.h"
#include "app/errorwindow.h"
#include "app/playerstate.h"
#include "audio/library.h"
#include "platform/terminationsignals.h"
#include "player/playerform.h"
#include "settings/settings.h"
#include "shell/desktopsession.h"
#include "shell/startoptions.h"
#include "skin/rendercommand.h"
#include "skin/skinsource.h"

#include <QApplication>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextStream>

#include <cstring>
#include <memory>
#include <optional>

namespace {

// "--skin PATH" taken out of the arguments: the path, or nullopt when the
// option has no path after it.
std::optional<QString> TakeSkinOption(QStringList& arguments)
{
    const qsizetype at = arguments.indexOf(QStringLiteral("--skin"), 1);
    if (at < 0)
        return QString();
    if (at + 1 >= arguments.size())
        return std::nullopt;
    const QString path = QFileInfo(arguments.at(at + 1)).absoluteFilePath();
    arguments.remove(at, 2);
    return path;
}

// The skin named on the command line stands for the skin in use, as if it
// had been chosen; one that cannot be used leaves the skin of the start.
void StartWithSkin(velmoro::player::TPlayerForm& player, velmoro::app::PlayerState& state,
                   const QString& path)
{
    if (!velmoro::skin::LocateSkin(path).isEmpty() && player.MainPlayerSkin->LoadSkin(path) == 0) {
        state.Dirs.SkinDir = path;
        return;
    }
    QTextStream(stderr)
        << QStringLiteral("velmoro: impossibile usare la skin %1; resta quella di partenza\n").arg(path);
    if (player.MainPlayerSkin->LoadSkin(state.Dirs.SkinDir) != 0)
        player.MainPlayerSkin->LoadDefaultSkin();
}

} // namespace

int main(int argc, char** argv)
{
    // A picture of a skin needs no display and no player.
    if (argc > 1 && std::strcmp(argv[1], "--render-skin") == 0)
        return velmoro::skin::RunRenderSkinProgram(argc, argv, 2);
    // A player that runs already takes this start's files or command; this
    // needs no display, so a command works from a terminal without one.
    QStringList startArguments;
    for (int i = 0; i < argc; ++i)
        startArguments << QString::fromLocal8Bit(argv[i]);
    const velmoro::shell::StartOptions start = velmoro::shell::TakeStartOptions(startArguments);
    if (!start.error.isEmpty()) {
        QTextStream(stderr) << QStringLiteral("velmoro: %1\n").arg(start.error);
        return 2;
    }
    const QString channelPath = velmoro::shell::DefaultChannelPath();
    const velmoro::shell::Handoff handoff = velmoro::shell::HandoffOf(
        start, velmoro::shell::QuotedCommandLine(velmoro::shell::WithAbsoluteFileNames(startArguments)));
    const bool shared = start.instance == velmoro::shell::InstanceMode::Shared;
    if (shared && velmoro::shell::SendToRunningPlayer(channelPath, handoff))
        return 0;
    // Shared-memory images cost a round trip to the X server on every
    // repaint; the window is small enough to send its few changed pixels.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("velmoro"));
    QApplication::setApplicationDisplayName(velmoro::app::ApplicationTitle());

    velmoro::app::RouteAudioLibraryLog();
    velmoro::audio::AudioLibrary audio(velmoro::audio::OutputProviderFromEnvironment());
    velmoro::settings::Settings settings;
    velmoro::app::PlayerState state;
    // Made with the first error: its text box would load the font database
    // at start, which the skinned windows never need.
    std::unique_ptr<velmoro::app::TFormShowErrore> errorWindow;
    const velmoro::player::TPlayerForm* playerForm = nullptr; // once it exists
    const auto showError = [&](const QString& title, const QString& text) {
        if (!errorWindow) {
            errorWindow = std::make_unique<velmoro::app::TFormShowErrore>();
            if (playerForm)
                playerForm->WindowMade(*errorWindow);
            errorWindow->OnArresta = [&] {
                velmoro::app::EndProgramNow(audio, playerForm ? playerForm->ExitCode() : 0);
            };
        }
        errorWindow->ShowErrorMessage(title, text);
    };

    QStringList arguments = QApplication::arguments();
    const std::optional<QString> skin = TakeSkinOption(arguments);
    if (!skin) {
        QTextStream(stderr) << QStringLiteral("velmoro: dopo --skin serve una cartella o un file .wsz\n");
        return 2;
    }
    // Read above already; here they only leave the command line the player opens.
    velmoro::shell::TakeStartOptions(arguments);
    // Two starts at the same moment: the one that lost the race hands over.
    velmoro::shell::InstanceChannel channel;
    const auto listening = channel.Listen(channelPath);
    const bool anotherPlayer = listening == velmoro::shell::InstanceChannel::ListenResult::AnotherListens;
    if (anotherPlayer && shared && velmoro::shell::SendToRunningPlayer(channelPath, handoff))
        return 0;

    // The equalizer audible from the start, as the setting "Equalizzatore
    // attivo" makes it.
    if (arguments.removeAll(QStringLiteral("--equalizzatore")) > 0)
        settings.SetChecked(QStringLiteral("EqualizzatoreAttivoCheck"), true);

    velmoro::player::TPlayerForm player(state, settings, audio, showError);
    playerForm = &player;
    if (anotherPlayer)
        player.LeaveDefaultPlaylistToAnotherPlayer();
    const QString userData =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/velmoro");
    player.KeepSettingsIn(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                          QStringLiteral("/velmoro/velmoro.ini"));
    player.FormCreate(QApplication::applicationDirPath(), userData,
                      velmoro::shell::QuotedCommandLine(arguments));
    velmoro::shell::DesktopSession session(player, state, settings, audio, channel, start.command);
    session.Mpris.RegisterOnSessionBus();
    player.OnStarted = [&session] { session.PlayerStarted(); };
    if (!skin->isEmpty())
        StartWithSkin(player, state, *skin);
    player.show();
    velmoro::platform::HandleTerminationSignals([&player] {
        player.CloseFor(velmoro::player::TPlayerForm::CloseCause::TerminationSignal);
        QApplication::quit();
    });
    const int loopResult = application.exec();
    return loopResult != 0 ? loopResult : player.ExitCode();
}
