// The settings and the windows' places kept from one run of the player to
// the next, each run a fresh window over a fresh settings object.
#include "player/controllers.h"
#include "player/keptsettings.h"
#include "player/playerform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace velmoro;
using player::TPlayerForm;

namespace {

struct PlayerRun {
    PlayerRun(const QString& appDir, const QString& keptPath)
    {
        form = std::make_unique<TPlayerForm>(
            state, settings, audio, [this](const QString& title, const QString&) { errors << title; });
        form->KeepSettingsIn(keptPath);
        form->FormCreate(appDir, appDir + "/user", QString());
        form->StartupPhases.TimerInizializ.stop();
        form->StartupPhases.TimerInizializTimer();
    }
    app::PlayerState state;
    settings::Settings settings;
    test::FakeAudio audio;
    QStringList errors;
    std::unique_ptr<TPlayerForm> form;
};

class KeptSettingsTest : public testing::Test {
protected:
    QTemporaryDir dir;
    const QString kept = dir.filePath("config/velmoro/velmoro.ini");
};

} // namespace

TEST(PlaceOnScreens, TheTitleBarMustBeOnAScreen)
{
    const QList<QRect> screens{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    const QSize size(275, 116);
    struct Case {
        QPoint saved;
        bool kept;
    } cases[] = {
        {{100, 100}, true},   {{3000, 900}, true},  {{-259, 0}, true},  {{-260, 0}, false},
        {{100, 1075}, true},  {{100, 1080}, false}, {{3185, 0}, false}, {{-5000, -5000}, false},
        {{1900, 1050}, true}, {{100, -14}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(player::PlaceOnScreens(c.saved, size, screens).has_value(), c.kept)
            << c.saved.x() << "," << c.saved.y();
}

TEST_F(KeptSettingsTest, ARunStartsWhereTheLastOneEnded)
{
    QDir(dir.path()).mkpath("Skins/Blu");
    QDir(dir.path()).mkpath("Lang");
    QFile english(dir.filePath("Lang/English.txt"));
    ASSERT_TRUE(english.open(QIODevice::WriteOnly));
    english.write("[OpzioniForm]\nOpzioniForm=Options\n");
    english.close();
    {
        PlayerRun first(dir.path(), kept);
        ASSERT_TRUE(first.form->Options().ChooseLanguage("English.txt"));
        first.settings.SetChecked("CountDownCheck", true);
        first.settings.SetChecked("SpettroCheck", true);
        first.settings.SetPosition("NextStartTrack", 9);
        first.settings.SetPosition("LunghezzaBufferTrack", 20);
        first.settings.SetChecked("VolumeLog", true);
        first.state.Dirs.SkinDir = dir.filePath("Skins/Blu");
        first.form->move(120, 130);
        first.settings.SetChecked("EqualizzatoreAttivoCheck", true);
        first.form->ShowPlaylistWindow();
        first.form->PlaylistForm->setGeometry(140, 300, 275, 232);
        first.form->PlayerCommand(18); // E: the equalizer window
        first.form->EqualizerWindow().move(400, 40);
        first.form->close();
        EXPECT_TRUE(first.errors.isEmpty());
        // No window of the player outlives it.
        EXPECT_FALSE(first.form->EqualizerWindow().isVisible());
        EXPECT_FALSE(first.form->PlaylistForm->isVisible());
    }
    PlayerRun second(dir.path(), kept);
    // What the options' settings do, and the language, hold at start without
    // the options window, which is made only when first wanted.
    EXPECT_EQ(second.form->OpzioniForm, nullptr);
    EXPECT_EQ(second.form->SkinBrowserForm, nullptr);
    EXPECT_FLOAT_EQ(second.audio.bufferSeconds, 2.0f);
    ASSERT_FALSE(second.audio.logCurves.empty());
    EXPECT_EQ(second.audio.logCurves.back(), std::make_pair(true, false));
    EXPECT_EQ(second.form->Languages.InForce().Name(), "English.txt");
    EXPECT_EQ(second.settings.Lines("SkinsList"), QStringList{"Blu"});
    EXPECT_EQ(second.settings.Lines("LinguaComboBox"), QStringList{"English.txt"});
    EXPECT_TRUE(second.settings.Checked("CountDownCheck"));
    // Kept as the user left it, not as the close changed it.
    EXPECT_TRUE(second.settings.Checked("SpettroCheck"));
    EXPECT_EQ(second.settings.Position("NextStartTrack"), 9);
    EXPECT_EQ(second.state.Dirs.SkinDir, dir.filePath("Skins/Blu"));
    EXPECT_EQ(second.form->pos(), QPoint(120, 130));
    EXPECT_TRUE(second.form->PlaylistForm->isVisible());
    EXPECT_EQ(second.form->PlaylistForm->geometry(), QRect(140, 300, 275, 232));
    EXPECT_TRUE(second.form->EqualizerWindow().isVisible());
    EXPECT_EQ(second.form->EqualizerWindow().pos(), QPoint(400, 40));
    // The language is in force before the first window shows.
    EXPECT_EQ(second.form->Options().LanguageInForce().Name(), "English.txt");
    EXPECT_EQ(second.form->Options().windowTitle(), "Options");
}

// With the box off a run starts from the initial values and only the box
// is written; checked again, the next close keeps everything again.
TEST_F(KeptSettingsTest, RememberingOffKeepsNothingButItself)
{
    {
        PlayerRun first(dir.path(), kept);
        first.settings.SetPosition("NextStartTrack", 9);
        first.form->close();
    }
    {
        PlayerRun second(dir.path(), kept);
        EXPECT_EQ(second.settings.Position("NextStartTrack"), 9);
        second.settings.SetChecked("RicordaImpostazioniCheck", false);
        second.settings.SetPosition("NextStartTrack", 3);
        second.form->close();
    }
    const QByteArray afterOff = [&] {
        QFile f(kept);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    {
        PlayerRun third(dir.path(), kept);
        EXPECT_FALSE(third.settings.Checked("RicordaImpostazioniCheck"));
        EXPECT_EQ(third.settings.Position("NextStartTrack"), 5);
        third.settings.SetPosition("NextStartTrack", 1);
        third.form->close();
    }
    QFile f(kept);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), afterOff); // nothing written while it stays off
    {
        PlayerRun fourth(dir.path(), kept);
        fourth.settings.SetChecked("RicordaImpostazioniCheck", true);
        fourth.settings.SetPosition("NextStartTrack", 14);
        fourth.form->close();
    }
    PlayerRun fifth(dir.path(), kept);
    EXPECT_EQ(fifth.settings.Position("NextStartTrack"), 14);
}

TEST_F(KeptSettingsTest, ABrokenOrUnwritableFileCostsNothingButTheSettings)
{
    QDir().mkpath(QFileInfo(kept).absolutePath());
    QFile garbage(kept);
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    QByteArray bytes(4096, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char((i * 131 + 7) % 256);
    garbage.write("[Opzioni]\nSensHookVal=\xff\xfe\nRinfrescoTrack=0x10\n[Finestre]\nPlayer=1,2,3\n"
                  "Playlist=10,10,1,1\n" +
                  bytes);
    garbage.close();
    {
        PlayerRun run(dir.path(), kept);
        EXPECT_EQ(run.settings.Position("SensHookVal"), 20);
        EXPECT_EQ(run.settings.Position("RinfrescoTrack"), 10);
        EXPECT_EQ(run.form->PlaylistForm->pos(), run.form->pos() + QPoint(0, run.form->height()));
        run.form->close();
        EXPECT_TRUE(run.errors.isEmpty());
    }
    // A folder where the file should be: the close says so.
    const QString blocked = dir.filePath("blocked");
    QDir().mkpath(blocked);
    PlayerRun run(dir.path(), blocked);
    run.form->close();
    EXPECT_EQ(run.errors, QStringList{"Salvataggio non riuscito!"});
}
