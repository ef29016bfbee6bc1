// The player on the desktop: the command codes of the Alt+Space menu and of
// --command, the tray icon's clicks, the taskbar button, the icon files.
#include "shell/commandcodes.h"
#include "shell/desktopshell.h"
#include "shell/iconfiles.h"
#include "shell/playerfixture.h"
#include "shell/shellpage.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace velmoro;
using shell::CommandCode;
using test::PlayerFixture;

namespace {

struct RecordingTarget : shell::CommandTarget {
    QList<int> keys;
    QList<player::CommandId> commands;
    void PlayerCommand(int keyCode) override { keys << keyCode; }
    void RunCommand(player::CommandId id) override { commands << id; }
};

} // namespace

TEST(CommandCodes, SystemMenuNumbersAndNamesReachTheirCommands)
{
    struct Case {
        int number;
        QList<int> keys;
        QList<player::CommandId> commands;
    };
    const Case cases[] = {
        {1000, {}, {player::CommandId::AboutWindow}},
        {1001, {45}, {}},
        {1002, {46}, {}},
        {1003, {47}, {}},
        {1004, {30}, {}},
        {1005, {1005}, {}}, // not a menu number: a key code, which has no command
        {72, {72}, {}},
    };
    for (const Case& c : cases) {
        RecordingTarget target;
        shell::RunCommandCode(target, CommandCode{c.number});
        EXPECT_EQ(target.keys, c.keys) << c.number;
        EXPECT_EQ(target.commands, c.commands) << c.number;
    }
    // Every name has a code, and a key name the key of its command.
    for (const QString& name : shell::CommandNames())
        EXPECT_TRUE(shell::CommandCodeOfName(name)) << name.toStdString();
    EXPECT_EQ(shell::CommandCodeOfName("next")->number, 48);
    EXPECT_EQ(shell::CommandCodeOfName("open")->number, 30);
    EXPECT_FALSE(shell::CommandCodeOfName("Play"));
}

TEST(DesktopShell, AltSpacePopsUpTheSystemMenuEntriesInOrder)
{
    PlayerFixture f;
    f.Start();
    QMenu* menu = f.session->Shell.SystemMenu();
    ASSERT_NE(menu, nullptr);
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(texts, (QStringList{"-", "&Informazioni ...", "-", "&Apri file ...", "-", "&Play", "P&ause",
                                  "&Stop"}));

    f.player->show();
    QTest::keyClick(f.player.get(), Qt::Key_Space, Qt::AltModifier);
    EXPECT_TRUE(menu->isVisible());
    menu->hide();

    // "&Play" behaves as the play key: the current entry is opened and played.
    f.state.Tracks.Playlist.AddFile(test::Fixture("sine1k-v1-44100-cbr256.mp3"));
    menu->actions().at(5)->trigger();
    EXPECT_EQ(f.state.Playback.PlayStatus, app::PlayStatusValue::Playing);
    menu->actions().at(6)->trigger();
    EXPECT_EQ(f.state.Playback.PlayStatus, app::PlayStatusValue::Paused);
}

TEST(DesktopShell, TheOptionsChoiceShowsTheTrayIconAndHidesTheTaskbarButton)
{
    PlayerFixture f;
    f.Start();
    shell::DesktopShell& desktop = f.session->Shell;
    f.player->show();
    EXPECT_EQ(desktop.TrayIcon(), nullptr); // "Mostra nella barra" at start
    struct Case {
        const char* radio;
        bool tray;
        Qt::WindowType type;
    };
    for (const Case& c :
         {Case{"MostranelTrayCheck", true, Qt::Tool}, Case{"MostraEntrambiCheck", true, Qt::Window},
          Case{"MostraNellaBarraCheck", false, Qt::Window}}) {
        f.settings.SetChecked(c.radio, true);
        EXPECT_EQ(desktop.TrayIcon() != nullptr, c.tray) << c.radio;
        EXPECT_EQ(f.player->windowFlags() & Qt::WindowType_Mask, c.type) << c.radio;
        EXPECT_TRUE(f.player->isVisible()) << c.radio;
        EXPECT_TRUE(f.player->windowFlags() & Qt::FramelessWindowHint) << c.radio;
    }
}

TEST(DesktopShell, TrayClicksPopUpThePlayerMenuBesideTheCursor)
{
    PlayerFixture f;
    f.Start();
    shell::DesktopShell& desktop = f.session->Shell;
    QMenu* menu = f.player->PlayerMenu;
    for (const auto reason : {QSystemTrayIcon::DoubleClick, QSystemTrayIcon::MiddleClick}) {
        desktop.TrayActivated(reason, QPoint(100, 100));
        EXPECT_FALSE(menu->isVisible());
    }
    for (const auto reason : {QSystemTrayIcon::Trigger, QSystemTrayIcon::Context}) {
        desktop.TrayActivated(reason, QPoint(100, 120));
        EXPECT_TRUE(menu->isVisible());
        EXPECT_EQ(menu->pos(), QPoint(105, 125));
        menu->hide();
    }
}

TEST(IconFiles, ListedByNameWithTheUsersFolderFirst)
{
    QTemporaryDir user, install;
    for (const QString& path : {user.filePath("Ico/b.ico"), install.filePath("Ico/a.ico"),
                                install.filePath("Ico/b.ico"), install.filePath("Ico/readme.txt")}) {
        QDir().mkpath(QFileInfo(path).path());
        QFile(path).open(QIODevice::WriteOnly);
    }
    app::AppDirectories dirs;
    dirs.AppDir = user.path() + "/";
    dirs.InstallDir = install.path() + "/";
    const QStringList files = shell::IconFiles(dirs);
    EXPECT_EQ(files, (QStringList{install.filePath("Ico/a.ico"), user.filePath("Ico/b.ico")}));
    EXPECT_EQ(shell::IconFileAt(files, 1), user.filePath("Ico/b.ico"));
    EXPECT_EQ(shell::IconFileAt(files, 2), install.filePath("Ico/a.ico"));
    EXPECT_EQ(shell::IconFileAt(files, -1), install.filePath("Ico/a.ico"));
    EXPECT_EQ(shell::IconFileAt({}, 0), QString());
}

// The options' icon track bars span the icons found and show the chosen one.
TEST(ShellPage, IconTracksSpanTheIconsAndShowTheChosenOne)
{
    QTemporaryDir app;
    QDir(app.path()).mkpath("Ico");
    const QColor colours[] = {Qt::red, Qt::blue, Qt::green};
    for (int i = 0; i < 3; ++i) {
        QImage picture(16, 16, QImage::Format_ARGB32);
        picture.fill(colours[i]);
        ASSERT_TRUE(picture.save(app.filePath(QStringLiteral("Ico/%1.ico").arg(i)), "ICO"));
    }
    app::AppDirectories dirs;
    dirs.AppDir = dirs.InstallDir = app.path() + "/";
    settings::Settings settings;
    QWidget options;
    auto* preview = new QLabel(&options);
    preview->setObjectName("IconaImg");
    preview->setFixedSize(32, 32);
    shell::FileRegistration registration(settings, dirs, {});
    shell::ConnectShellPage(options, settings, shell::SpanIconTracks(settings, dirs), registration);
    EXPECT_EQ(settings.Maximum("TrackIcone"), 2);
    EXPECT_EQ(settings.Maximum("TrackTryIco"), 2);
    EXPECT_EQ(preview->pixmap().toImage().pixelColor(8, 8), QColor(Qt::red));
    settings.SetPosition("TrackIcone", 2);
    EXPECT_EQ(preview->pixmap().toImage().pixelColor(8, 8), QColor(Qt::green));

    // No icons: the track bar has one place and the preview stays empty.
    QTemporaryDir empty;
    dirs.AppDir = dirs.InstallDir = empty.path() + "/";
    settings::Settings fresh;
    QLabel* other = new QLabel(&options);
    other->setObjectName("TrayImg");
    shell::ConnectShellPage(options, fresh, shell::SpanIconTracks(fresh, dirs), registration);
    EXPECT_EQ(fresh.Maximum("TrackTryIco"), 0);
    EXPECT_TRUE(other->pixmap().isNull());
}
