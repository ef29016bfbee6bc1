// Language files: the captions of windows written by component name and
// applied back, and the options window's list, load and save of them.
#include "optionsfixture.h"
#include "options/languagefile.h"
#include "support/filesizelimit.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <gtest/gtest.h>

using namespace velmoro;
using options::ApplyCaptions;
using options::WriteCaptions;

namespace {

// One component of each kind a language file knows, and some it must not.
struct SampleWindow {
    SampleWindow()
    {
        window.setObjectName("SampleForm");
        window.setWindowTitle("Esempio");
        Named<QLabel>("Label1", "Etichetta");
        Named<QLabel>("Image1", "")->setPixmap(QPixmap(4, 4));
        auto* group = Named<QGroupBox>("Group1", "Gruppo");
        Named<QRadioButton>("Radio1", "Scelta", group);
        auto* tabs = Named<QTabWidget>("Pages", "");
        auto* page = new QWidget;
        page->setObjectName("Page1");
        tabs->addTab(page, "Pagina");
        Named<QCheckBox>("Check1", "&Attivo", page);
        Named<QLineEdit>("Edit1", "testo");
        Named<QPushButton>("Button1", "&Chiudi");
        auto* menu = new QMenu(&window);
        menu->addAction("&Apri")->setObjectName("Item1");
        menu->addSeparator()->setObjectName("N1");
    }
    template <typename W> W* Named(const char* name, const QString& text, QWidget* parent = nullptr)
    {
        auto* w = new W(parent ? parent : &window);
        w->setObjectName(name);
        if constexpr (requires { w->setText(text); })
            w->setText(text);
        else if constexpr (requires { w->setTitle(text); })
            w->setTitle(text);
        return w;
    }
    // Caption by key, as the files name them.
    QString Caption(const QString& key) const
    {
        if (key == window.objectName())
            return window.windowTitle();
        if (key == "Page1")
            return window.findChild<QTabWidget*>("Pages")->tabText(0);
        if (auto* a = window.findChild<QAction*>(key))
            return a->text();
        if (auto* g = window.findChild<QGroupBox*>(key))
            return g->title();
        if (auto* b = window.findChild<QAbstractButton*>(key))
            return b->text();
        return window.findChild<QLabel*>(key)->text();
    }
    QWidget window;
};

platform::ProfileFile Parsed(QByteArrayView text)
{
    platform::ProfileFile file;
    file.Parse(text);
    return file;
}

QByteArray Contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

void Put(const QString& path, QByteArrayView bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes.data(), bytes.size());
}

} // namespace

TEST(LanguageFile, ApplyingSetsTheCaptionsTheFileHolds)
{
    struct Case {
        const char* what;
        QByteArray file;
        std::vector<std::pair<QString, QString>> expected;
    };
    const std::vector<Case> cases{
        {"every kind",
         "[SampleForm]\r\nSampleForm=Sample\r\nLabel1=Label\r\nGroup1=Group\r\nRadio1=Choice\r\nPage1="
         "Page\r\n"
         "Check1=&On\r\nButton1=&Close\r\nItem1=&Open\r\n",
         {{"SampleForm", "Sample"},
          {"Label1", "Label"},
          {"Group1", "Group"},
          {"Radio1", "Choice"},
          {"Page1", "Page"},
          {"Check1", "&On"},
          {"Button1", "&Close"},
          {"Item1", "&Open"}}},
        {"a missing key leaves its caption",
         "[SampleForm]\r\nLabel1=Label\r\n",
         {{"Label1", "Label"}, {"Button1", "&Chiudi"}, {"SampleForm", "Esempio"}}},
        {"an empty value empties a menu item", "[SampleForm]\r\nItem1=\r\n", {{"Item1", ""}}},
        {"a separator stays one", "[SampleForm]\r\nN1=Bogus\r\n", {{"N1", ""}}},
        {"another window's section", "[OtherForm]\r\nLabel1=Label\r\n", {{"Label1", "Etichetta"}}},
        {"blanks and quotes around a value go",
         "[SampleForm]\r\nLabel1=  \"Label\"  \r\n",
         {{"Label1", "Label"}}},
    };
    for (const Case& c : cases) {
        SampleWindow sample;
        ApplyCaptions(Parsed(c.file), sample.window);
        for (const auto& [key, caption] : c.expected)
            EXPECT_EQ(sample.Caption(key), caption) << c.what << ": " << key.toStdString();
        EXPECT_TRUE(sample.window.findChild<QAction*>("N1")->isSeparator()) << c.what;
    }
}

TEST(LanguageFile, WritingListsTheCaptionedComponentsInOrder)
{
    SampleWindow sample;
    platform::ProfileFile file;
    WriteCaptions({&sample.window}, file);
    EXPECT_EQ(file.Keys("SampleForm"), QStringList({"SampleForm", "Label1", "Group1", "Radio1", "Page1",
                                                    "Check1", "Button1", "Item1"}));
    EXPECT_EQ(file.Value("SampleForm", "Check1"), "&Attivo");
    EXPECT_EQ(file.Keys("LangTags"), QStringList({"Author", "Lang", "Comment"}));
    EXPECT_EQ(file.Value("LangTags", "Lang"), "Italiano");
}

TEST(LanguageFile, WritingAgainChangesNothingAndApplyingWritesNoFile)
{
    QTemporaryDir dir;
    const QString italian = dir.filePath("Lang/Italiano.txt");
    const QString english = dir.filePath("Lang/English.txt");
    SampleWindow sample;
    ASSERT_EQ(options::WriteLanguageFile(italian, {&sample.window}), 0);
    const QByteArray first = Contents(italian);
    ASSERT_EQ(options::WriteLanguageFile(italian, {&sample.window}), 0);
    EXPECT_EQ(Contents(italian), first);

    // Latin-1 from an older translation; the byte E9 is no UTF-8.
    Put(english, "[SampleForm]\r\nLabel1=Libell\xE9\r\n");
    const QDateTime written = QFileInfo(english).lastModified();
    options::Language language;
    ASSERT_TRUE(language.Load(english));
    language.ApplyTo(sample.window);
    EXPECT_EQ(sample.Caption("Label1"), QStringLiteral("Libellé"));
    EXPECT_EQ(Contents(english), "[SampleForm]\r\nLabel1=Libell\xE9\r\n");
    EXPECT_EQ(QFileInfo(english).lastModified(), written);

    ASSERT_EQ(options::WriteLanguageFile(italian, {&sample.window}), 0);
    platform::ProfileFile rewritten;
    ASSERT_EQ(rewritten.Load(italian), 0);
    EXPECT_EQ(rewritten.Value("SampleForm", "Label1"), QStringLiteral("Libellé"));
    EXPECT_TRUE(Contents(italian).contains("Libell\xC3\xA9")); // written as UTF-8
    EXPECT_FALSE(language.Load(dir.filePath("Lang/Missing.txt")));
    EXPECT_EQ(language.Name(), "English.txt");
}

namespace velmoro::test {

class LanguageOptionsTest : public testing::Test, protected OptionsFixture {
protected:
    LanguageOptionsTest() { host.windows = {&form}; }
    QString AppLang(const QString& name) const { return state.Dirs.AppDir + "Lang/" + name; }
};

TEST_F(LanguageOptionsTest, TheListHoldsBothFoldersAndAPickIsApplied)
{
    QTemporaryDir install;
    state.Dirs.InstallDir = install.path() + '/';
    Put(AppLang("English.txt"), "[OpzioniForm]\nOpzioniForm=Options\nCrossfadeLabel=Songs overlap (5 sec)\n"
                                "SkinFolderButton=\nLabelBufferLength=1 ms\n");
    Put(AppLang("Italiano.txt"), "[OpzioniForm]\nOpzioniForm=Opzioni\n");
    Put(install.filePath("Lang/English.txt"), "[OpzioniForm]\nOpzioniForm=Shipped options\n");
    Put(install.filePath("Lang/Deutsch.txt"), "[OpzioniForm]\nOpzioniForm=Optionen\n");
    Put(install.filePath("Lang/notes.md"), "");
    languages.ListFiles();
    EXPECT_EQ(settings.Lines("LinguaComboBox"), QStringList({"Deutsch.txt", "English.txt", "Italiano.txt"}));
    EXPECT_EQ(settings.ItemIndex("LinguaComboBox"), 0);
    EXPECT_EQ(form.windowTitle(), "Opzioni"); // listed, not applied

    EXPECT_TRUE(form.ChooseLanguage("Deutsch.txt"));
    EXPECT_EQ(form.windowTitle(), "Optionen");
    EXPECT_TRUE(form.ChooseLanguage("English.txt"));
    EXPECT_EQ(form.windowTitle(), "Options"); // the user's folder first
    EXPECT_EQ(form.LanguageInForce().Name(), "English.txt");
    // Captions that show values show this run's values in the new words.
    EXPECT_EQ(form.SkinFolderButton->text(), state.Dirs.SkinsDir);
    EXPECT_EQ(form.LabelBufferLength->text(), "500 ms");
    settings.SetPosition("NextStartTrack", 12);
    EXPECT_EQ(form.CrossfadeLabel->text(), "Songs overlap (12 sec)");
    EXPECT_FALSE(form.ChooseLanguage("Français.txt"));
    EXPECT_EQ(host.windowsAsked.back(), options::OptionsHost::LazyWindows::Skip);
}

TEST_F(LanguageOptionsTest, AFailedWriteKeepsTheOldFileAndSaysSo)
{
    Put(AppLang("Italiano.txt"), "[LangTags]\r\nAuthor=old\r\n");
    {
        const FileSizeLimit diskFull(40);
        form.ButtonSalvaLangClick();
    }
    EXPECT_EQ(messages, QStringList{"Unable to write to " + AppLang("Italiano.txt")});
    EXPECT_EQ(Contents(AppLang("Italiano.txt")), "[LangTags]\r\nAuthor=old\r\n");
    EXPECT_EQ(host.windowsAsked.back(), options::OptionsHost::LazyWindows::Make);

    messages.clear();
    form.ButtonSalvaLangClick();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(Contents(AppLang("Italiano.txt")).contains("OpzioniForm=Opzioni"));
}

} // namespace velmoro::test
