// Plug-ins as the player meets them: files that are and are not plug-ins,
// the visualization plug-in in use, the menu plug-ins' slots and items, the
// texts they give, render calls racing unloads, and the player's wiring.
#include "player/controllers.h"
#include "player/playerform.h"
#include "plugins/pluginhost.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <mutex>
#include <thread>

using namespace velmoro;
using plugins::PluginHost;
using plugins::VisPlugins;

namespace {

std::mutex g_eventsLock;
QStringList g_events;

QStringList TakeEvents()
{
    const std::lock_guard lock(g_eventsLock);
    return std::exchange(g_events, {});
}

// A "Plugins" folder of files under the names given, each a copy of a test
// plug-in, or of a text file where the source is "".
struct PluginFolder {
    explicit PluginFolder(std::initializer_list<std::pair<QString, QString>> files)
    {
        QDir(dir.path()).mkpath("Plugins");
        for (const auto& [name, source] : files)
            Add(name, source);
    }
    void Add(const QString& name, const QString& source)
    {
        const QString target = Path(name);
        if (source.isEmpty()) {
            QFile text(target);
            EXPECT_TRUE(text.open(QIODevice::WriteOnly));
            text.write("non sono una libreria\n");
        } else {
            EXPECT_TRUE(QFile::copy(QStringLiteral(VELMORO_TEST_PLUGIN_DIR "/") + source, target))
                << source.toStdString();
        }
    }
    QString Folder() const { return dir.filePath("Plugins"); }
    QString Path(const QString& name) const { return dir.filePath("Plugins/" + name); }
    QTemporaryDir dir;
};

// A player whose program folder holds the plug-ins, through its second
// start-up phase.
struct PlayerWithPlugins {
    explicit PlayerWithPlugins(std::initializer_list<std::pair<QString, QString>> files) : folder(files)
    {
        form.FormCreate(folder.dir.path(), folder.dir.filePath("user"), QString());
        form.StartupPhases.TimerInizializ.stop();
        TakeEvents();
        form.StartupPhases.TimerInizializTimer();
    }
    PluginFolder folder;
    app::PlayerState state;
    settings::Settings settings;
    test::FakeAudio audio;
    player::TPlayerForm form{state, settings, audio, [](const QString&, const QString&) {}};
};

} // namespace

extern "C" __attribute__((visibility("default"))) void VelmoroTestEvent(const char* event)
{
    const std::lock_guard lock(g_eventsLock);
    g_events << QString::fromUtf8(event);
}

TEST(PluginText, IsBoundedPlainText)
{
    const QByteArray longText(400, 'x');
    const QByteArray cutAccent = QByteArray(254, 'a') + "\xC3\xA8"; // the cut falls inside "è"
    struct Case {
        const char* text;
        QString shown;
    } cases[] = {
        {nullptr, ""},
        {"", ""},
        {"Spettro\n\tBlu\x1b[31m", "SpettroBlu[31m"},
        {"citt\xC3\xA0", QString::fromUtf8("città")},
        {"bad \xFF byte", QString::fromUtf8("bad \xEF\xBF\xBD byte")},
        {longText.constData(), QString(255, u'x')},
        {cutAccent.constData(), QString(254, u'a')},
    };
    for (const Case& c : cases)
        EXPECT_EQ(plugins::PluginText(c.text), c.shown) << (c.text ? c.text : "(null)");
}

TEST(PluginFiles, NameOrderAndTheFirstFolderWins)
{
    PluginFolder user({{"vfx_b.so", ""}, {"vfx_A.so", ""}, {"menu_a.so", ""}, {"vfx_c.txt", ""}});
    PluginFolder install({{"vfx_b.so", ""}, {"vfx_0.so", ""}});
    EXPECT_EQ(plugins::PluginFiles({user.Folder(), install.Folder(), "/nessuna/cartella"}, "vfx_*.so"),
              (QStringList{user.Path("vfx_A.so"), user.Path("vfx_b.so"), install.Path("vfx_0.so")}));
}

TEST(VisPlugins, LoadAllKeepsTheLastFoundAndCaricaQuitsFirst)
{
    PluginFolder folder({{"vfx_1.so", "vfx_alpha.so"},
                         {"vfx_2.so", ""},
                         {"vfx_3.so", "vfx_beta.so"},
                         {"vfx_4.so", "vfx_nulltable.so"},
                         {"vfx_5.so", "vfx_noexport.so"}});
    VisPlugins vis;
    vis.Start(); // nothing loaded: nothing happens
    TakeEvents();
    const QStringList files = plugins::PluginFiles({folder.Folder()}, "vfx_*.so");
    EXPECT_EQ(vis.LoadAll(files), (QStringList{"Alfa[VFX_1.SO]", "Beta[VFX_3.SO]"}));
    EXPECT_EQ(vis.Description(), "Beta");
    EXPECT_EQ(TakeEvents(), (QStringList{"init:Alfa", "init:Beta"})); // replaced without its quit

    vis.Start();
    vis.Configure(0);
    vis.About(0);
    vis.Stop();
    EXPECT_EQ(TakeEvents(), (QStringList{"start:Beta", "configure:Beta", "about:Beta", "stop:Beta"}));

    // "Carica" of a file that is no plug-in: the one in use has quit and
    // none is in use afterwards.
    EXPECT_FALSE(vis.Load(folder.Path("vfx_4.so")));
    EXPECT_FALSE(vis.InUse());
    vis.Start();
    EXPECT_EQ(TakeEvents(), QStringList{"quit:Beta"});
    EXPECT_TRUE(vis.Load(folder.Path("vfx_1.so")));
    EXPECT_EQ(TakeEvents(), QStringList{"init:Alfa"});
    EXPECT_TRUE(vis.LoadAll({}).isEmpty()); // no folder, no files
    EXPECT_EQ(vis.Description(), "Alfa");
}

// Render runs on the decoding thread while the user loads and unloads: no
// call may reach a library being freed or gone (the sanitizers would see
// it), and the renders that find the lock taken are skipped, not waited.
TEST(VisPlugins, RenderCallsRacingUnloads)
{
    PluginFolder folder({{"vfx_1.so", "vfx_alpha.so"}, {"vfx_2.so", "vfx_beta.so"}});
    VisPlugins vis;
    std::atomic<bool> done = false;
    std::atomic<int> renders = 0;
    std::thread decoding([&] {
        std::array<std::int16_t, 2048> block{};
        while (!done) {
            vis.Render(1, block.data(), std::uint32_t(sizeof block));
            ++renders;
        }
    });
    const QStringList files = {folder.Path("vfx_1.so"), folder.Path("vfx_2.so")};
    for (int i = 0; i < 150; ++i) {
        vis.LoadAll(files);
        vis.Load(files[i % 2]);
        vis.Unload();
    }
    done = true;
    decoding.join();
    EXPECT_GT(renders, 0);
    EXPECT_FALSE(vis.InUse());
    TakeEvents();
}

TEST(MenuPlugins, SlotsItemsCommandsAndQuit)
{
    PluginFolder folder({{"menu_1.so", ""},
                         {"menu_2.so", "menu_one.so"},
                         {"menu_3.so", "menu_throwing.so"},
                         {"menu_4.so", "vfx_alpha.so"}});
    int pauses = 0;
    QMenu tools;
    tools.menuAction()->setEnabled(false);
    auto host = std::make_unique<PluginHost>(QStringList{folder.Folder()}, [&] { ++pauses; });
    TakeEvents();
    EXPECT_EQ(host->LoadMenuPlugins(&tools), (QStringList{"Descrizione Uno & due", "Descrizione Lancia"}));
    EXPECT_TRUE(tools.menuAction()->isEnabled());
    // The slot is the file's place in the listing, also after a failure.
    EXPECT_EQ(host->MenuSlotOfLine(0), 1);
    EXPECT_EQ(host->MenuSlotOfLine(1), 2);
    EXPECT_EQ(host->MenuSlotOfLine(2), -1);
    auto* item = tools.findChild<QAction*>("MenuPlugin1");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), "Uno && due"); // shown as it is, no shortcut letter
    EXPECT_EQ(item->data().toInt(), 1);
    item->trigger();
    EXPECT_EQ(pauses, 1);
    host->MenuAction(2);
    host->MenuAction(0);  // an empty slot
    host->MenuAction(99); // none such
    EXPECT_EQ(pauses, 2);
    EXPECT_EQ(TakeEvents(),
              (QStringList{"init:Uno & due", "init:Lancia", "action:Uno & due", "action:Lancia"}));

    // A command from another thread is run on the host's.
    std::thread([] { PluginHost::MenuPluginCommand(VELMORO_COMMAND_PAUSE); }).join();
    PluginHost::MenuPluginCommand(1002);
    EXPECT_EQ(pauses, 2);
    QCoreApplication::processEvents();
    EXPECT_EQ(pauses, 3);

    // A quit that throws stops neither the others nor the close.
    host.reset();
    EXPECT_EQ(TakeEvents(), (QStringList{"quit:Uno & due", "quit:Lancia"}));
    EXPECT_TRUE(tools.actions().isEmpty());
    PluginHost::MenuPluginCommand(VELMORO_COMMAND_PAUSE); // no host: nothing
}

TEST(MenuPlugins, TheSixtySixthFileIsNotLoaded)
{
    PluginFolder folder({});
    for (int i = 0; i < 67; ++i)
        folder.Add(QStringLiteral("menu_%1.so").arg(i, 2, 10, QLatin1Char('0')), "menu_one.so");
    QMenu tools;
    PluginHost host({folder.Folder()}, [] {});
    EXPECT_EQ(host.LoadMenuPlugins(&tools).size(), plugins::MenuPlugins::kSlots);
    EXPECT_EQ(tools.actions().size(), plugins::MenuPlugins::kSlots);
    TakeEvents();
}

// The player loads what its Plugins folder holds at its second start-up
// phase, feeds the plug-in in the "Plugin" mode, and its menus reach them.
TEST(PlayerPlugins, LoadedAtStartAndDrivenByTheMenus)
{
    PlayerWithPlugins player({{"vfx_alpha.so", "vfx_alpha.so"}, {"menu_one.so", "menu_one.so"}});
    player::TPlayerForm& form = player.form;
    settings::Settings& settings = player.settings;
    EXPECT_EQ(TakeEvents(), (QStringList{"init:Alfa", "init:Uno & due"}));
    EXPECT_EQ(settings.Lines("ListaVisPluginCombo"), QStringList{"Alfa[VFX_ALPHA.SO]"});
    EXPECT_EQ(settings.Lines("menuPluginCombo"), QStringList{"Descrizione Uno & due"});

    form.PlayerMenu->findChild<QAction*>("Start1")->trigger();
    EXPECT_TRUE(settings.Checked("UsaPluginCheck"));
    EXPECT_TRUE(form.PlayerMenu->findChild<QAction*>("Plugin1")->isChecked());
    form.PlayerMenu->findChild<QAction*>("Stop2")->trigger();
    EXPECT_EQ(TakeEvents(), (QStringList{"start:Alfa", "stop:Alfa"}));

    form.Engine.OpenStreamFile(test::Fixture("sine1k-v1-44100-cbr256.mp3"));
    form.MainPlayerSkinPlayClick();
    form.PlayerMenu->findChild<QAction*>("MenuPlugin0")->trigger();
    EXPECT_EQ(player.state.Playback.PlayStatus, app::PlayStatusValue::Paused);
    form.close();
    EXPECT_EQ(TakeEvents(), (QStringList{"action:Uno & due", "quit:Uno & due"}));
}

// The samples a plug-in author copies work as they are.
TEST(SamplePlugins, SpectrogramDrawsAndPauseSendsItsCommand)
{
    VisPlugins vis;
    ASSERT_TRUE(vis.Load(VELMORO_SAMPLE_PLUGIN_DIR "/vfx_spectrogram.so"));
    EXPECT_EQ(vis.Description(), "Spettrogramma (plug-in di esempio)");
    vis.Start();
    QWidget* window = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->windowTitle() == "Spettrogramma" && top->isVisible())
            window = top;
    }
    ASSERT_NE(window, nullptr);
    std::array<std::int16_t, 2 * 1024> block{};
    for (std::size_t i = 0; i < block.size() / 2; ++i)
        block[2 * i] = block[2 * i + 1] = std::int16_t(12000 * std::sin(2 * M_PI * 1000 * double(i) / 44100));
    vis.Render(1, block.data(), std::uint32_t(sizeof block));
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 150)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    // The newest column shows the tone near row 128 - 1000 / (44100 / 512).
    const QImage shot = window->grab().toImage();
    const int toneRow = 2 * (127 - (1000 * 512 / 44100 - 1));
    EXPECT_GT(qRed(shot.pixel(shot.width() - 1, toneRow)), 100);
    EXPECT_LT(qRed(shot.pixel(shot.width() - 1, 2 * 20)), qRed(shot.pixel(shot.width() - 1, toneRow)));
    vis.Stop();
    EXPECT_FALSE(window->isVisible());
    vis.Load(VELMORO_SAMPLE_PLUGIN_DIR "/vfx_spectrogram.so"); // quit closes its window
    vis.Unload();

    PluginFolder folder({});
    ASSERT_TRUE(QFile::copy(VELMORO_SAMPLE_PLUGIN_DIR "/menu_pause.so", folder.Path("menu_pause.so")));
    int pauses = 0;
    QMenu tools;
    PluginHost host({folder.Folder()}, [&] { ++pauses; });
    EXPECT_EQ(host.LoadMenuPlugins(&tools), QStringList{"Mette in pausa la riproduzione"});
    tools.actions().constFirst()->trigger();
    EXPECT_EQ(pauses, 1);
}

// The options' plug-in page drives the plug-ins the player loaded.
TEST(PlayerPlugins, TheOptionsButtonsReachThem)
{
    PlayerWithPlugins player({{"vfx_0broken.so", ""},
                              {"vfx_alpha.so", "vfx_alpha.so"},
                              {"vfx_beta.so", "vfx_beta.so"},
                              {"menu_one.so", "menu_one.so"}});
    player::TPlayerForm& form = player.form;
    settings::Settings& settings = player.settings;
    EXPECT_EQ(settings.Lines("ListaVisPluginCombo"),
              (QStringList{"Alfa[VFX_ALPHA.SO]", "Beta[VFX_BETA.SO]"}));
    TakeEvents();
    const auto click = [&form](const char* name) {
        auto* button = form.Options().findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        button->click();
    };
    // "Carica" takes the plug-in of the line chosen, also past a file that
    // is no plug-in.
    settings.SetItemIndex("ListaVisPluginCombo", 0);
    click("Button3");
    click("VisConfigButton");
    click("VisInfoButton");
    click("ButtonMnuPlugin");
    click("ButtonCaricaMenu"); // loaded already: nothing twice
    EXPECT_EQ(settings.Lines("menuPluginCombo"), QStringList{"Descrizione Uno & due"});
    EXPECT_EQ(TakeEvents(),
              (QStringList{"quit:Beta", "init:Alfa", "configure:Alfa", "about:Alfa", "action:Uno & due"}));
    form.close();
    TakeEvents();
}
