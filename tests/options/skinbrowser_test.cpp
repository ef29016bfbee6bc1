// The skin browser and the skin rules it shares with the options window:
// the list of a skins folder, the readme, a new skins folder, and applying a
// skin with its fallbacks.
#include "options/optionsfixture.h"
#include "options/skinchoice.h"
#include "skin/skincraft.h"

#include <QDir>
#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>

using namespace velmoro;
using test::OptionsFixture;

namespace {

void MakeSkin(const QString& path)
{
    ASSERT_TRUE(QDir().mkpath(path));
    test::WriteCoordSkin(path);
}

void Select(options::TSkinBrowserForm& browser, const QString& name)
{
    const auto items = browser.SkinList->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << name.toStdString();
    browser.SkinList->setCurrentItem(items[0]);
}

} // namespace

TEST(SkinChoice, ListsFoldersAndArchivesByName)
{
    QTemporaryDir dir;
    const QString skins = dir.path() + "/Skins/";
    EXPECT_TRUE(options::ListSkins(skins).isEmpty()) << "a missing folder";
    QDir().mkpath(skins);
    EXPECT_TRUE(options::ListSkins(skins).isEmpty()) << "an empty folder";
    for (const char* folder : {"[Default]", "zeta", "Alfa", "doppio"})
        QDir().mkpath(skins + folder);
    for (const char* file : {"Base.wsz", "Vecchio.ZIP", "doppio.wsz", "note.txt", "archivio.tar"})
        test::WriteFile(skins + file, "x");
    EXPECT_EQ(options::ListSkins(skins),
              (QStringList{"[Default]", "Alfa", "Base", "doppio", "Vecchio", "zeta"}));
}

TEST(SkinChoice, ANewSkinsFolderMustExistDifferAndEndWithASlash)
{
    QTemporaryDir dir;
    const QString current = dir.path() + "/Skins/";
    const QString other = dir.path() + "/Altre";
    QDir().mkpath(current);
    QDir().mkpath(other);
    const struct {
        QString answer;
        std::optional<QString> accepted;
    } cases[] = {
        {other, other + "/"},
        {other + "/", other + "/"},
        {current, std::nullopt},
        {current.chopped(1), std::nullopt}, // the same folder without its slash
        {dir.path() + "/nessuna", std::nullopt},
        {dir.path() + "/file.txt", std::nullopt},
        {"", std::nullopt},
    };
    test::WriteFile(dir.path() + "/file.txt", "x");
    for (const auto& c : cases)
        EXPECT_EQ(options::AcceptSkinsFolder(c.answer, current), c.accepted) << c.answer.toStdString();
}

TEST(SkinChoice, ReadmeIsUtf8OrLatin1AndCutAt64KiB)
{
    QTemporaryDir dir;
    const QString skin = dir.path() + "/s";
    QDir().mkpath(skin);
    EXPECT_EQ(options::ReadSkinReadme(skin), "") << "no readme";
    const QByteArray euro = "\xE2\x82\xAC"; // U+20AC in UTF-8
    const struct {
        const char* what;
        QByteArray bytes;
        QString text;
    } cases[] = {
        {"UTF-8", "Citt\xC3\xA0 " + euro, QString::fromUtf8("Città €")},
        {"Latin-1", "Citt\xE0", QString::fromLatin1("Citt\xE0")},
        {"long", QByteArray(70000, 'a'), QString(65536, 'a')},
        // The cut falls inside the last euro sign: the rest is still UTF-8.
        {"cut in a character", QByteArray(65535, 'a') + euro, QString(65535, 'a')},
        {"cut after a character", QByteArray(65533, 'a') + euro + "bb", QString(65533, 'a') + u'€'},
    };
    for (const auto& c : cases) {
        test::WriteFile(skin + "/ReadMe.TXT", c.bytes);
        EXPECT_EQ(options::ReadSkinReadme(skin), c.text) << c.what;
    }
}

TEST(SkinChoice, ASkinThatFailsGivesWayToTheDefault)
{
    app::AppDirectories dirs;
    dirs.SkinsDir = "/skins/";
    test::RecordingHost host;
    options::ApplySkin(dirs, "Buona", host);
    EXPECT_EQ(dirs.SkinDir, "/skins/Buona");
    host.failingSkins << "/skins/Rotta";
    options::ApplySkin(dirs, "Rotta", host);
    EXPECT_EQ(dirs.SkinDir, "/skins/[Default]");
    EXPECT_EQ(host.loaded, (QStringList{"/skins/Buona", "/skins/Rotta", "/skins/[Default]"}));
    EXPECT_EQ(host.otherReloads, 2);
}

TEST(SkinBrowser, EmptyFolderThenAFolderAddedAndTheListRefreshed)
{
    OptionsFixture f;
    EXPECT_EQ(f.browser.SkinList->count(), 0);
    EXPECT_TRUE(f.settings.Lines("SkinsList").isEmpty());
    MakeSkin(f.state.Dirs.SkinsDir + "Nuova");
    EXPECT_EQ(f.browser.SkinList->count(), 0) << "until the list is refreshed";
    f.browser.ButtonAggiorna->click();
    EXPECT_EQ(f.browser.Lines(), QStringList{"Nuova"});
    EXPECT_EQ(f.settings.Lines("SkinsList"), QStringList{"Nuova"}) << "the options' copy";
    EXPECT_EQ(f.form.SkinsList->count(), 1);
    const options::TSkinBrowserForm later(f.state, f.settings, f.host);
    EXPECT_EQ(later.Lines(), QStringList{"Nuova"}) << "made later, it shows the list as last read";
    // Applying with nothing selected does nothing.
    f.browser.ButtonApplica->click();
    EXPECT_TRUE(f.host.loaded.isEmpty());
}

TEST(SkinBrowser, DefaultAppliedByButtonDoubleClickOrEnter)
{
    OptionsFixture f;
    MakeSkin(f.state.Dirs.SkinsDir + "[Default]");
    MakeSkin(f.state.Dirs.SkinsDir + "Altra");
    test::WriteFile(f.state.Dirs.SkinsDir + "Altra/readme.txt", "Una skin di prova");
    f.browser.FillList();
    f.state.Dirs.SkinDir = f.state.Dirs.SkinsDir + "Altra";
    Select(f.browser, "[Default]");
    f.browser.ButtonApplica->click();
    EXPECT_EQ(f.state.Dirs.SkinDir, f.state.Dirs.SkinsDir + "[Default]");
    EXPECT_EQ(f.host.loaded, QStringList{f.state.Dirs.SkinsDir + "[Default]"});
    EXPECT_EQ(f.browser.ReadmeSkin->toPlainText(), "");

    Select(f.browser, "Altra");
    QTest::keyClick(f.browser.SkinList, Qt::Key_Return);
    EXPECT_EQ(f.state.Dirs.SkinDir, f.state.Dirs.SkinsDir + "Altra");
    EXPECT_EQ(f.browser.ReadmeSkin->toPlainText(), "Una skin di prova");
    emit f.browser.SkinList->itemDoubleClicked(f.browser.SkinList->currentItem());
    EXPECT_EQ(f.host.loaded.size(), 3);
    EXPECT_EQ(f.host.otherReloads, 3);
}

// The preview shows the skin in use instead of one that cannot be loaded;
// applied, the default skin takes its place.
TEST(SkinBrowser, ABrokenSkinFallsBack)
{
    OptionsFixture f;
    MakeSkin(f.state.Dirs.SkinsDir + "[Default]");
    test::WriteFile(f.state.Dirs.SkinsDir + "Rotta.wsz", "not a zip archive");
    f.browser.FillList();
    skin::TWinampSkin inUse;
    ASSERT_EQ(inUse.LoadSkin(f.state.Dirs.SkinDir), 0);
    f.browser.SkinPreview().SetTitle("x");
    Select(f.browser, "Rotta");
    f.browser.SkinListClick();
    EXPECT_EQ(f.browser.SkinPreview().Skin().MainBitmap.pixel(0, 0), inUse.Skin().MainBitmap.pixel(0, 0));

    f.host.failingSkins << f.state.Dirs.SkinsDir + "Rotta";
    f.browser.ButtonApplica->click();
    EXPECT_EQ(f.state.Dirs.SkinDir, f.state.Dirs.SkinsDir + "[Default]");
    EXPECT_EQ(f.host.loaded,
              (QStringList{f.state.Dirs.SkinsDir + "Rotta", f.state.Dirs.SkinsDir + "[Default]"}));
}

TEST(SkinBrowser, ShownItQuietensTheKeys)
{
    OptionsFixture f;
    EXPECT_EQ(f.browser.size(), QSize(349, 368));
    f.browser.ShowBrowser();
    EXPECT_FALSE(f.state.Windows.HotKeysEnabled);
    EXPECT_TRUE(f.state.Windows.DialogOpen);
    f.browser.ButtonChiudi->click();
    EXPECT_TRUE(f.state.Windows.HotKeysEnabled);
    EXPECT_FALSE(f.state.Windows.DialogOpen);
}

// The options' own skin list and skins folder.
TEST(SkinBrowser, OptionsSkinsPageChoosesSkinsAndFolder)
{
    OptionsFixture f;
    const QString other = f.dir.path() + "/Altre";
    MakeSkin(other + "/Blu");
    const QString caption = f.form.SkinFolderButton->text();
    f.answer = other; // typed without the final slash
    f.form.SkinFolderButton->click();
    EXPECT_EQ(f.asked, QStringList{"Cambia directory Skin: " + f.state.Dirs.AppDir + "Skins/"});
    EXPECT_EQ(f.state.Dirs.SkinsDir, other + "/");
    EXPECT_EQ(f.settings.Lines("SkinsList"), QStringList{"Blu"});
    EXPECT_EQ(f.browser.Lines(), QStringList{"Blu"});
    EXPECT_EQ(f.form.SkinFolderButton->text(), caption) << "the caption given at creation stays";
    f.answer = f.dir.path() + "/nessuna";
    f.form.SkinFolderButton->click();
    EXPECT_EQ(f.state.Dirs.SkinsDir, other + "/");

    emit f.form.SkinsList->itemClicked(f.form.SkinsList->item(0));
    EXPECT_EQ(f.state.Dirs.SkinDir, other + "/Blu");
    EXPECT_EQ(f.host.loaded, QStringList{other + "/Blu"});
}
