// Writes the captions the program is built with into a language file, from
// the windows themselves: the reference file a translator starts from, so it
// can never drift from what the windows show.
#include "app/playerstate.h"
#include "audio/library.h"
#include "audio/output.h"
#include "options/languagefile.h"
#include "player/playerform.h"
#include "settings/settings.h"

#include <QApplication>
#include <QFile>
#include <QTextStream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        QTextStream(stderr) << "usage: velmoro-write-language FILE\n";
        return 2;
    }
    // The windows are made and never shown: no display is needed.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QString path = QString::fromLocal8Bit(argv[1]);
    velmoro::audio::AudioLibrary audio(velmoro::audio::MakeNullProvider());
    velmoro::settings::Settings settings;
    velmoro::app::PlayerState state;
    velmoro::player::TPlayerForm player(state, settings, audio, {});
    // Keys of windows since removed must not linger.
    QFile::remove(path);
    using Lazy = velmoro::options::OptionsHost::LazyWindows;
    if (const int error = velmoro::options::WriteLanguageFile(path, player.LanguageWindows(Lazy::Make))) {
        QTextStream(stderr) << "velmoro-write-language: " << path << ": " << qt_error_string(error) << '\n';
        return 1;
    }
    return 0;
}
