// Start-up, the audio device, the shared operations and the error window.
#include "app/audiodevice.h"
#include "app/audiolog.h"
#include "app/errorwindow.h"
#include "app/shared.h"
#include "app/startup.h"
#include "support/capturedlog.h"
#include "platform/logging.h"
#include "support/fakeaudio.h"
#include "audio/log.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace velmoro;
using test::FakeAudio;

namespace {

struct ErrorLog {
    QStringList titles;
    QStringList texts;
    app::ShowErrorFunction Function()
    {
        return [this](const QString& title, const QString& text) {
            titles << title;
            texts << text;
        };
    }
};

} // namespace

TEST(Startup, OpensTheDefaultDeviceThenListsTheDevices)
{
    app::PlayerState state;
    settings::Settings settings;
    FakeAudio audio;
    ErrorLog errors;
    app::Startup startup(state, settings, audio, errors.Function());
    QTemporaryDir dir;
    startup.FirstPhase(dir.path(), dir.filePath("user"));
    EXPECT_TRUE(state.Windows.PlayerCreated);
    EXPECT_TRUE(state.Windows.HotKeysEnabled);
    EXPECT_EQ(state.Dirs.AppDir, dir.path() + "/");
    EXPECT_EQ(state.Dirs.SkinsDir, dir.path() + "/Skins/");
    EXPECT_EQ(state.Dirs.SkinDir, dir.path() + "/Skins/[Default]");
    EXPECT_TRUE(startup.TimerInizializ.isActive());
    EXPECT_TRUE(startup.TimerInizializ.isSingleShot());
    EXPECT_EQ(startup.TimerInizializ.interval(), 50);

    startup.TimerInizializTimer();
    EXPECT_FALSE(startup.TimerInizializ.isActive());
    EXPECT_EQ(audio.calls, (std::vector<std::string>{"Free", "Init", "Start"}));
    EXPECT_EQ(audio.initDevice, -1);
    EXPECT_EQ(audio.initFlags, 0u);
    EXPECT_TRUE(errors.titles.isEmpty());
    EXPECT_EQ(settings.Lines("DeviceCombo"), (QStringList{"1 - Scheda audio", "2 - Cuffie"}));
    EXPECT_EQ(settings.ItemIndex("DeviceCombo"), 0);
    EXPECT_EQ(audio.calls.size(), 3u); // selecting the first line does not reopen
    EXPECT_TRUE(app::ApplicationTitle().startsWith("Velmoro"));
    EXPECT_EQ(app::VersionBanner(), "Velmoro versione 0.5"); // the project's major.minor
}

TEST(Startup, RemovesTheLeftoversOfInterruptedSavesFromAppDir)
{
    QTemporaryDir dir;
    const QString leftover = dir.filePath(".default.m3u.tmp-5eed");
    QFile f(leftover);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_TRUE(
        f.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    f.close();
    app::PlayerState state;
    settings::Settings settings;
    FakeAudio audio;
    ErrorLog errors;
    app::Startup startup(state, settings, audio, errors.Function());
    startup.FirstPhase(dir.path(), dir.filePath("user"));
    EXPECT_FALSE(QFileInfo::exists(leftover));
}

TEST(Startup, ADeviceThatCannotOpenShowsTheErrorOnceAndGoesOn)
{
    app::PlayerState state;
    settings::Settings settings;
    settings.SetChecked("uscita8Check", true);
    settings.SetChecked("monoCheck", true);
    settings.SetChecked("A3dSuppCheck", true);
    FakeAudio audio;
    audio.initFails = true;
    ErrorLog errors;
    app::Startup startup(state, settings, audio, errors.Function());
    const test::CapturedLog warnings(velmoro::lcApp());
    startup.TimerInizializTimer();
    ASSERT_EQ(warnings.Messages().size(), 1); // the reason, once
    EXPECT_TRUE(warnings.Messages()[0].contains("cannot be opened"));
    EXPECT_EQ(audio.initFlags, 11u);
    ASSERT_EQ(errors.titles.size(), 1);
    EXPECT_EQ(errors.titles[0], "Periferica MM System non pronta!");
    EXPECT_EQ(errors.texts[0],
              "La priferica audion non funziona o è al momento occupata. Attendere e riprovare");
    EXPECT_EQ(state.Playback.CurrentStream, 0u);
    // The device list is filled all the same, so another device can be chosen.
    EXPECT_EQ(settings.Lines("DeviceCombo").size(), 2);
    EXPECT_FALSE(app::InitAudioDevice(audio, 1, 0, errors.Function()));
    EXPECT_EQ(errors.titles.size(), 2);
    audio.initFails = false;
    EXPECT_TRUE(app::InitAudioDevice(audio, 1, 0, errors.Function()));
    EXPECT_EQ(audio.initDevice, 1);
}

TEST(AudioLibraryLog, ReachesTheAudioCategoryAtEveryLevel)
{
    app::RouteAudioLibraryLog();
    {
        test::CapturedLog log(lcAudio());
        audio::Log(audio::LogLevel::Warning, "stream 3: server answered 404");
        audio::Log(audio::LogLevel::Debug, "not a warning");
        EXPECT_EQ(log.Messages(), QStringList{QStringLiteral("stream 3: server answered 404")});
    }
    audio::SetLogFunction(nullptr, nullptr);
}

TEST(SharedOperations, TrailingSlash)
{
    EXPECT_EQ(app::IncludeTrailingSlash("/home/a"), "/home/a/");
    EXPECT_EQ(app::IncludeTrailingSlash("/home/a/"), "/home/a/");
    EXPECT_EQ(app::IncludeTrailingSlash(""), "/");
}

TEST(SharedOperations, AppDirIsTheProgramsOwnWhenWritable)
{
    QTemporaryDir install;
    QTemporaryDir user;
    app::AppDirectories dirs = app::ResolveAppDirectories(install.path(), user.filePath("velmoro"));
    EXPECT_EQ(dirs.AppDir, install.path() + "/");
    EXPECT_EQ(dirs.SkinsDir, install.path() + "/Skins/");
    EXPECT_EQ(dirs.SearchDirs("Lang"), QStringList{install.path() + "/Lang/"});
    // Nobody, root included, can create files in /proc: a system-wide install.
    dirs = app::ResolveAppDirectories("/proc", user.filePath("velmoro"));
    EXPECT_EQ(dirs.AppDir, user.filePath("velmoro") + "/");
    EXPECT_EQ(dirs.InstallDir, "/proc/");
    EXPECT_EQ(dirs.SkinDir, user.filePath("velmoro") + "/Skins/[Default]");
    EXPECT_EQ(dirs.SearchDirs("Plugins/"),
              (QStringList{user.filePath("velmoro") + "/Plugins/", "/proc/Plugins/"}));
    EXPECT_TRUE(QFileInfo(user.filePath("velmoro")).isDir());
}

TEST(ErrorWindow, LayoutCaptionsAndButtons)
{
    app::TFormShowErrore form;
    EXPECT_EQ(form.windowTitle(), "Messaggio Applicazione");
    EXPECT_EQ(form.size(), QSize(329, 127));
    EXPECT_EQ(form.Image1->geometry(), QRect(8, 24, 32, 32));
    EXPECT_EQ(form.MemoDescr->geometry(), QRect(48, 24, 273, 65));
    EXPECT_EQ(form.ButtonChiudi->geometry(), QRect(248, 96, 75, 25));
    EXPECT_EQ(form.ButtonArresta->geometry(), QRect(48, 96, 113, 25));
    EXPECT_EQ(form.ButtonChiudi->text(), "&Chiudi");
    EXPECT_EQ(form.ButtonArresta->text(), "&Arresta applicazione");
    EXPECT_TRUE(form.MemoDescr->isReadOnly());

    form.SetMessage("Titolo", QString("riga\n").repeated(20));
    EXPECT_EQ(form.LabelDescr->text(), "Titolo");
    EXPECT_EQ(form.LabelDescr->pos(), QPoint(48, 8));
    form.show();
    EXPECT_GT(form.MemoDescr->verticalScrollBar()->maximum(), 0); // the long text scrolls

    int ended = 0;
    form.OnArresta = [&] { ++ended; };
    form.ButtonArresta->click();
    EXPECT_EQ(ended, 1);
    form.ButtonChiudi->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST(ErrorWindowDeathTest, ArrestaClosesTheAudioLibraryAndExitsWithZero)
{
    // The child re-runs this program; it ends on purpose without freeing
    // what the stack holds, which is no leak of the program's.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
    // The child prints what the library saw before it exits.
    struct PrintingAudio : FakeAudio {
        void Free() override
        {
            std::fputs("audio freed\n", stderr);
            FakeAudio::Free();
        }
    };
    EXPECT_EXIT(
        {
            PrintingAudio audio;
            app::TFormShowErrore form;
            form.OnArresta = [&] { app::EndProgramNow(audio); };
            form.ButtonArresta->click();
        },
        testing::ExitedWithCode(0), "audio freed");
    // Told of a failed save at close, the window ends the program as failed.
    EXPECT_EXIT(
        {
            PrintingAudio audio;
            app::EndProgramNow(audio, 1);
        },
        testing::ExitedWithCode(1), "audio freed");
}
