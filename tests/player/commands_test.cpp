// The command table and the command controller: every menu item, caption,
// shortcut letter and key of a command agree, and each key runs the command
// it always ran.
#include "app/startup.h"
#include "platform/scancodes.h"
#include "player/commandtable.h"
#include "player/controllers.h"
#include "player/playermenu.h"
#include "player/shellcommands.h"

#include <QAction>
#include <QMenu>
#include <QWidget>
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

using namespace velmoro;
using player::CommandEntry;
using player::PlayerActions;
using test::Fixture;

namespace {

// Names the action each call reaches.
struct RecordingActions : PlayerActions {
    std::string last;
    void OpenFiles() override { last = "OpenFiles"; }
    void Play() override { last = "Play"; }
    void Pause() override { last = "Pause"; }
    void Stop() override { last = "Stop"; }
    void Previous() override { last = "Previous"; }
    void Next() override { last = "Next"; }
    void BackFiveSeconds() override { last = "BackFiveSeconds"; }
    void ForwardFiveSeconds() override { last = "ForwardFiveSeconds"; }
    void AddCurrentBookmark() override { last = "AddCurrentBookmark"; }
    void ToggleShuffle() override { last = "ToggleShuffle"; }
    void ToggleRepeat() override { last = "ToggleRepeat"; }
    void ToggleStayOnTop() override { last = "ToggleStayOnTop"; }
    void ToggleDoubleSize() override { last = "ToggleDoubleSize"; }
    void ToggleCountDown() override { last = "ToggleCountDown"; }
    void ShowPlaylist() override { last = "ShowPlaylist"; }
    void Equalizer() override { last = "Equalizer"; }
    void Exit() override { last = "Exit"; }
    void VolumeUp() override { last = "VolumeUp"; }
    void VolumeDown() override { last = "VolumeDown"; }
    void ShowOscilloscope() override { last = "ShowOscilloscope"; }
    void ShowVUMeter() override { last = "ShowVUMeter"; }
    void ShowSpectrum() override { last = "ShowSpectrum"; }
    void ShowPlugin() override { last = "ShowPlugin"; }
    void ShowNothing() override { last = "ShowNothing"; }
    void StartVisPlugin() override { last = "StartVisPlugin"; }
    void StopVisPlugin() override { last = "StopVisPlugin"; }
    void OpenSoundSettings() override { last = "OpenSoundSettings"; }
    void ReportBug() override { last = "ReportBug"; }
    void ShowAbout() override { last = "ShowAbout"; }
    void JumpToFile() override { last = "JumpToFile"; }
    void JumpToPosition() override { last = "JumpToPosition"; }
    void ShowFileInfo() override { last = "ShowFileInfo"; }
    void OpenUrl() override { last = "OpenUrl"; }
    void ShowOptions() override { last = "ShowOptions"; }
    void ShowVisSettings() override { last = "ShowVisSettings"; }
    void EditBookmarks() override { last = "EditBookmarks"; }
    void ShowSkinBrowser() override { last = "ShowSkinBrowser"; }
};

// "" for a command without an action yet.
std::string ActionName(const CommandEntry& entry)
{
    RecordingActions probe;
    if (entry.action)
        (probe.*entry.action)();
    return probe.last;
}

// A menu's items in order, a submenu as name:caption[items], a disabled
// item after a '~'.
std::string Layout(const QMenu& menu)
{
    std::vector<std::string> items;
    for (const QAction* action : menu.actions()) {
        std::string item = (action->isEnabled() ? "" : "~") + action->objectName().toStdString();
        if (action->menu())
            item += ':' + action->text().toStdString() + '[' + Layout(*action->menu()) + ']';
        items.push_back(item);
    }
    std::string joined;
    for (const std::string& item : items)
        joined += (joined.empty() ? "" : " ") + item;
    return joined;
}

} // namespace

TEST(CommandTable, MenusKeysAndCaptionsAgree)
{
    QWidget owner;
    RecordingActions actions;
    test::FakeSkin skin;
    const player::PlayerMenus menus = player::BuildPlayerMenus(&owner, actions, skin);
    std::set<int> ids, keys;
    std::set<std::string> names;
    for (const CommandEntry& entry : player::PlayerCommandTable()) {
        SCOPED_TRACE(ActionName(entry));
        EXPECT_TRUE(ids.insert(int(entry.id)).second);
        EXPECT_EQ(player::FindCommand(entry.id), &entry);
        actions.last.clear();
        player::RunCommand(actions, entry.id);
        EXPECT_EQ(actions.last, ActionName(entry));
        if (entry.scanCode != 0) {
            EXPECT_TRUE(keys.insert(entry.scanCode).second);
            actions.last.clear();
            RunKeyCommand(actions, entry.scanCode);
            EXPECT_EQ(actions.last, ActionName(entry));
        }
        if (entry.shortcut != 0) { // the letter shown is the key that runs it
            EXPECT_EQ(platform::ScanCodeOf(0, Qt::Key_A + (entry.shortcut - 'A')), entry.scanCode);
        }
        if (*entry.objectName == 0) {
            EXPECT_EQ(entry.shortcut, 0); // a key-only command shows no letter
            continue;
        }
        EXPECT_TRUE(names.insert(entry.objectName).second);
        EXPECT_EQ(player::FindCommandByName(QString::fromLatin1(entry.objectName)), &entry);
        auto* item = menus.PlayerMenu->findChild<QAction*>(QString::fromLatin1(entry.objectName));
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->text(), entry.shortcut ? QString::fromUtf8(entry.caption) + '\t' + entry.shortcut
                                               : QString::fromUtf8(entry.caption));
        EXPECT_EQ(item->isEnabled(), entry.action != nullptr);
        actions.last.clear();
        item->trigger();
        EXPECT_EQ(actions.last, ActionName(entry));
    }
    for (const player::MenuAlias& alias : player::CanzoniMenuItems()) {
        auto* item = menus.CanzoniMenu->findChild<QAction*>(QString::fromLatin1(alias.objectName));
        ASSERT_NE(item, nullptr) << alias.objectName;
        EXPECT_EQ(item->text(), QString::fromUtf8(alias.caption));
        actions.last.clear();
        item->trigger();
        EXPECT_EQ(actions.last, ActionName(*player::FindCommand(alias.id)));
    }
    EXPECT_EQ(player::FindCommandByName(u""), nullptr);
}

TEST(CommandTable, MenusHoldEveryItemInOrder)
{
    QWidget owner;
    RecordingActions actions;
    test::FakeSkin skin;
    const player::PlayerMenus menus = player::BuildPlayerMenus(&owner, actions, skin);
    EXPECT_EQ(
        Layout(*menus.PlayerMenu),
        "WWWSitoAutore1 N2 File1:File[ApriFile1 ApriURL1] "
        "Play1:Playback[Play2 Puuse1 Stop1 N4 Precedente1 Prossima1 N5 Vaiallacanzone1 "
        "Vaiallaposizione1 N6 Vaialfile1 Vaiallaposizione2] "
        "SegnalibriMenu:Segnalibri[Segnalibri1 N14 AggiungiCorrente1] InformazioniFile1 N3 "
        "TrovatounBUG1 N15 Visualizzazione1:Visualizzazione[Oscilloscopio1 VUMeter1 Spettro1 Plugin1 "
        "Nessuno1 N8 Carica1 N9 Start1 Stop2] MenuOpzioni:Opzioni ...[Settaggi1 SkinsBrowse N10 "
        "Shuffle1 Repeat1 N11 Sempreinprimopiano1 Contoallarovescia1] ~Attrezzi1:Attrezzi[~Menu_Plugon_Proc] "
        "N7 Playlist1 Equalizatore1 Pannellodicontrollo1 N1 MenuEsci");
    EXPECT_EQ(Layout(*menus.CanzoniMenu), "Indietrodi5sec1 Avantidi5sec1 N12 Vaiallacanzone2 Saltaalpunto1 "
                                          "N13 Informazionisulfile1");
    EXPECT_FALSE(menus.PlayerMenu->findChild<QAction*>("Menu_Plugon_Proc")->isVisible());
    // The about item shows the web label of the application title.
    const QString site = menus.PlayerMenu->findChild<QAction*>("WWWSitoAutore1")->text();
    ASSERT_TRUE(site.endsWith(".....") && !site.endsWith("......"));
    EXPECT_TRUE(app::ApplicationTitle().endsWith('[' + site.chopped(5) + ']'));
}

// The keys as they were before the table: none lost, none moved.
TEST(CommandTable, EveryKeyRunsTheCommandItAlwaysRan)
{
    const std::map<int, void (PlayerActions::*)()> keys{
        {18, &PlayerActions::Equalizer},
        {19, &PlayerActions::ToggleRepeat},
        {20, &PlayerActions::ToggleStayOnTop},
        {23, &PlayerActions::ToggleCountDown},
        {25, &PlayerActions::ShowPlaylist},
        {30, &PlayerActions::OpenFiles},
        {31, &PlayerActions::ToggleShuffle},
        {44, &PlayerActions::Previous},
        {45, &PlayerActions::Play},
        {46, &PlayerActions::Pause},
        {47, &PlayerActions::Stop},
        {48, &PlayerActions::Next},
        {72, &PlayerActions::VolumeUp},
        {75, &PlayerActions::BackFiveSeconds},
        {77, &PlayerActions::ForwardFiveSeconds},
        {80, &PlayerActions::VolumeDown},
        {38, &PlayerActions::OpenSoundSettings},
        {17, &PlayerActions::ShowFileInfo},
        {32, &PlayerActions::JumpToFile},
        {33, &PlayerActions::JumpToPosition},
        {22, &PlayerActions::OpenUrl},
        {24, &PlayerActions::ShowOptions},
        {37, &PlayerActions::ShowSkinBrowser},
    };
    for (int code = 0; code < 256; ++code) {
        const CommandEntry* entry = player::FindCommandByScanCode(code);
        const auto it = keys.find(code);
        if (it == keys.end()) {
            EXPECT_EQ(entry, nullptr) << code;
        } else {
            ASSERT_NE(entry, nullptr) << code;
            EXPECT_TRUE(entry->action == it->second) << code;
        }
    }
    RecordingActions actions;
    EXPECT_DEBUG_DEATH(player::RunCommand(actions, player::CommandId(999)), "entry");
}

// Ctrl+D is double size; other keys with Ctrl are left to their plain command.
TEST(CommandTable, ControlKeys)
{
    RecordingActions actions;
    EXPECT_TRUE(player::RunControlKeyCommand(actions, 32));
    EXPECT_EQ(actions.last, "ToggleDoubleSize");
    for (int code : {0, 30, 45}) {
        actions.last.clear();
        EXPECT_FALSE(player::RunControlKeyCommand(actions, code)) << code;
        EXPECT_EQ(actions.last, "") << code;
    }
    test::Controllers c;
    c.command.ToggleDoubleSize();
    EXPECT_TRUE(c.settings.Checked(QStringLiteral("DoppiaDimensioneCheck")));
    c.command.ToggleDoubleSize();
    EXPECT_FALSE(c.settings.Checked(QStringLiteral("DoppiaDimensioneCheck")));
}

TEST(CommandController, PlayWithoutAStreamOpensTheCurrentEntry)
{
    test::Controllers c;
    c.tracks.Playlist.AddFile(Fixture("sine1k-v1-44100-cbr256.mp3"));
    c.tracks.Playlist.AddFile(Fixture("sine1k-v2-22050-cbr128.mp3"));
    c.tracks.CurrentIndex = 7; // beyond the list: kept within it
    c.command.Play();
    ASSERT_NE(c.playback.CurrentStream, 0u);
    EXPECT_EQ(c.tracks.CurrentIndex, 1);
    EXPECT_EQ(c.audio.Find(c.playback.CurrentStream)->source,
              Fixture("sine1k-v2-22050-cbr128.mp3").toStdString());
    EXPECT_TRUE(c.audio.Find(c.playback.CurrentStream)->playing);
    // With a stream open, play plays it.
    const audio::Handle current = c.playback.CurrentStream;
    c.command.Pause();
    c.command.Play();
    EXPECT_EQ(c.playback.CurrentStream, current);
    EXPECT_EQ(c.playback.PlayStatus, app::PlayStatusValue::Playing);
}

TEST(CommandController, KeyCommandsByScanCode)
{
    test::Controllers c;
    for (const char* name : {"sine1k-v1-44100-cbr256.mp3", "sine1k-v2-22050-cbr128.mp3"})
        c.tracks.Playlist.AddFile(Fixture(name));
    using enum app::PlayStatusValue;
    const auto key = [&](int code) { RunKeyCommand(c.command, code); };
    key(45); // X: play
    ASSERT_NE(c.playback.CurrentStream, 0u);
    EXPECT_EQ(c.playback.PlayStatus, Playing);
    key(46); // C: pause
    EXPECT_EQ(c.playback.PlayStatus, Paused);
    key(47); // V: stop
    EXPECT_EQ(c.playback.PlayStatus, Stopped);
    EXPECT_EQ(c.window.wakes, 2);
    key(48); // B: next
    EXPECT_EQ(c.tracks.CurrentIndex, 1);
    key(44); // Z: previous
    EXPECT_EQ(c.tracks.CurrentIndex, 0);
    key(19); // R: repeat
    EXPECT_TRUE(c.skin.repeat);
    key(31); // S: shuffle
    EXPECT_TRUE(c.skin.shuffle);
    key(19);
    EXPECT_FALSE(c.skin.repeat);
    EXPECT_TRUE(c.skin.shuffle);
    key(23); // I: countdown
    EXPECT_TRUE(c.settings.Checked("CountDownCheck"));
    key(20); // T, E, P: the window's own
    key(18);
    key(25);
    EXPECT_EQ(c.window.onTopToggles, 1);
    EXPECT_EQ(c.window.equalizerMessages, 1);
    EXPECT_EQ(c.window.playlistShows, 1);

    // Volume keys stop at the ends of the range.
    c.skin.volume = 98;
    key(72);
    EXPECT_EQ(c.skin.volume, 100);
    EXPECT_EQ(c.audio.outputVolume, 100);
    c.skin.volume = 3;
    key(80);
    EXPECT_EQ(c.skin.volume, 0);
    EXPECT_EQ(c.audio.globalStream, 0);
    const auto calls = c.audio.calls.size();
    key(99); // no command
    EXPECT_EQ(c.audio.calls.size(), calls);
}

TEST(CommandController, DialogKeysAndTheFileInformationOfWhatPlays)
{
    test::Controllers c;
    const auto key = [&](int code) { RunKeyCommand(c.command, code); };
    key(17); // W with nothing opened: no file to show
    key(32); // D
    key(33); // F
    c.command.ShowAbout();
    EXPECT_EQ(c.window.shownDialogs, QStringList({"jump", "jumpto", "about"}));

    c.window.shownDialogs.clear();
    c.playback.CurrentFileName = Fixture("sine1k-v1-44100-cbr256.mp3");
    key(17);
    c.playback.CurrentFileName = "http://radio.example/stream"; // a stream has no file
    key(17);
    c.playback.CurrentFileName = Fixture("gone.mp3");
    key(17);
    EXPECT_EQ(c.window.shownDialogs, QStringList({"tags:" + Fixture("sine1k-v1-44100-cbr256.mp3")}));
}

TEST(CommandController, TheCycleStepsFromTheMarkedModeAndWaitsWithoutOne)
{
    test::Controllers c;
    using enum player::VisMode;
    c.window.marked = std::nullopt;
    c.command.CycleVisMode();
    EXPECT_EQ(c.window.marked, std::nullopt);
    EXPECT_EQ(c.settings.CheckedInGroup("Visualizzazione"), "AbilitaOscilloscopioCheck");
    c.window.marked = Plugin;
    c.command.CycleVisMode();
    EXPECT_EQ(c.window.marked, None);
    EXPECT_EQ(c.settings.CheckedInGroup("Visualizzazione"), "OSCNessunoCheck");
}

TEST(ShellCommands, SoundSettingsAreTheFirstInstalledPanel)
{
    struct Case {
        QStringList installed;
        QString program; // "" for none
        QStringList arguments;
    };
    const Case cases[] = {
        {{}, "", {}},
        {{"gnome-control-center", "pavucontrol"}, "pavucontrol", {}},
        {{"systemsettings", "gnome-control-center"}, "gnome-control-center", {"sound"}},
        {{"systemsettings5", "xfce4-settings-manager"}, "systemsettings5", {"kcm_pulseaudio"}},
        {{"lxqt-config", "mate-volume-control"}, "mate-volume-control", {}},
        {{"lxqt-config", "pulseaudio"}, "lxqt-config", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.installed.join(' ').toStdString());
        const auto picked = player::PickSoundSettings([&c](const QString& name) {
            return c.installed.contains(name) ? "/usr/bin/" + name : QString();
        });
        ASSERT_EQ(picked.has_value(), !c.program.isEmpty());
        if (picked) {
            EXPECT_EQ(picked->program, "/usr/bin/" + c.program);
            EXPECT_EQ(picked->arguments, c.arguments);
        }
    }
}
