// Velmoro: the program.
#include "app/audiolog.h"
#include "app/errorwindow.h"
#include "app/playerstate.h"
#include "audio/library.h"
#include "platform/terminationsignals.h"
#include "player/playerform.h"
#include "settings/settings.h"

#include <QApplication>
#include <QStandardPaths>

#include <memory>

int main(int argc, char** argv)
{
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
            errorWindow->OnArresta = [&] {
                velmoro::app::EndProgramNow(audio, playerForm ? playerForm->ExitCode() : 0);
            };
        }
        errorWindow->ShowErrorMessage(title, text);
    };

    velmoro::player::TPlayerForm player(state, settings, audio, showError);
    playerForm = &player;
    // The command line as the registered open command writes it: the
    // program, then each argument in double quotes.
    QStringList quoted;
    for (const QString& argument : application.arguments())
        quoted << u'"' + argument + u'"';
    const QString userData =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/velmoro");
    player.FormCreate(QApplication::applicationDirPath(), userData, quoted.join(u' '));
    player.show();
    velmoro::platform::HandleTerminationSignals([&player] {
        player.CloseFor(velmoro::player::TPlayerForm::CloseCause::TerminationSignal);
        QApplication::quit();
    });
    const int loopResult = application.exec();
    return loopResult != 0 ? loopResult : player.ExitCode();
}
