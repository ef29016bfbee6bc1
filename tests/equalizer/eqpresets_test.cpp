// eqpreset.ini through the preset dialog: the designed cases (no file,
// saving twice under another case, deleting the second of three) and the
// file as a hand may have edited it.
#include "equalizer/eqpresetform.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace velmoro;
using equalizer::PresetGains;
using equalizer::TFormEqPreset;

namespace {

class EqPresetTest : public testing::Test {
protected:
    EqPresetTest()
        : appDir(dir.path() + u'/'),
          form(
              windows, appDir, [this](const PresetGains& g) { loaded.push_back(g); },
              [this] { return current; })
    {
        form.Dialogs.askText = [this](const QString&, const QString&, const QString& text) {
            asked = text;
            return answer;
        };
        form.Dialogs.showMessage = [this](const QString& text) { messages << text; };
    }

    QString File() const { return appDir + QStringLiteral("eqpreset.ini"); }
    void Write(const QByteArray& text)
    {
        QFile f(File());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    platform::ProfileFile Read() const
    {
        platform::ProfileFile f;
        f.Load(File());
        return f;
    }
    QStringList Listed() const
    {
        QStringList names;
        for (int row = 0; row < form.ListaPreset->count(); ++row)
            names << form.ListaPreset->item(row)->text();
        return names;
    }
    void Select(int row) { form.ListaPreset->setCurrentRow(row); }

    QTemporaryDir dir;
    QString appDir;
    app::WindowFlags windows;
    PresetGains current{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    std::vector<PresetGains> loaded;
    std::optional<QString> answer;
    QString asked;
    QStringList messages;
    TFormEqPreset form;
};

TEST_F(EqPresetTest, WithoutAFileTheListIsEmptyAndNewCreatesIt)
{
    form.FormShow();
    EXPECT_FALSE(windows.HotKeysEnabled);
    EXPECT_TRUE(windows.DialogOpen);
    EXPECT_TRUE(Listed().isEmpty());
    answer = std::nullopt; // cancelled: nothing written
    form.ButtonNuovoClick();
    EXPECT_FALSE(QFile::exists(File()));
    answer = QStringLiteral("Nuova equalizzazione");
    form.ButtonNuovoClick();
    EXPECT_EQ(asked, "Nuova equalizzazione");
    const platform::ProfileFile f = Read();
    EXPECT_EQ(f.Value("PresetList", "PresetCount"), "1");
    EXPECT_EQ(f.Value("PresetList", "Preset1"), "Nuova equalizzazione");
    for (int band = 1; band <= 10; ++band)
        EXPECT_EQ(f.Value("Nuova equalizzazione", QStringLiteral("Slider%1").arg(band)),
                  QString::number(band));
    EXPECT_EQ(Listed(), QStringList{"Nuova equalizzazione"}); // refilled, still open
    form.FormClose();
    EXPECT_TRUE(windows.HotKeysEnabled);
    EXPECT_FALSE(windows.DialogOpen);
}

TEST_F(EqPresetTest, SavingAgainUnderAnotherCaseOverwritesAndKeepsTheCount)
{
    form.FormShow();
    answer = QStringLiteral("Rock");
    form.ButtonNuovoClick();
    current.fill(-4);
    answer = QStringLiteral("ROCK");
    form.ButtonNuovoClick();
    const platform::ProfileFile f = Read();
    EXPECT_EQ(f.Value("PresetList", "PresetCount"), "1");
    EXPECT_EQ(f.Value("rock", "Slider7"), "-4");
    EXPECT_EQ(Listed(), QStringList{"Rock"});
}

TEST_F(EqPresetTest, DeletingTheSecondOfThreeRenumbersAndLoadingSetsTheGains)
{
    Write("[PresetList]\r\nPresetCount=3\r\nPreset1=Uno\r\nPreset2=Due\r\nPreset3=Tre\r\n"
          "[Tre]\r\nSlider1=5\r\nSlider10=-7\r\n");
    form.FormShow();
    ASSERT_EQ(Listed(), (QStringList{"Uno", "Due", "Tre"}));
    form.ButtonCaricaClick(); // nothing selected: nothing happens
    EXPECT_TRUE(loaded.empty());
    Select(1);
    form.ButtonCalcellaClick();
    platform::ProfileFile f = Read();
    EXPECT_EQ(f.Value("PresetList", "PresetCount"), "2");
    EXPECT_EQ(f.Value("PresetList", "Preset1"), "Uno");
    EXPECT_EQ(f.Value("PresetList", "Preset2"), "Tre");
    form.FormShow();
    EXPECT_EQ(Listed(), (QStringList{"Uno", "Tre"}));
    Select(1);
    form.ButtonCaricaClick();
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_EQ(loaded[0], (PresetGains{5, 0, 0, 0, 0, 0, 0, 0, 0, -7}));
}

TEST_F(EqPresetTest, AHandEditedFileIsHeldWithinReason)
{
    // Gains out of range or not numbers; a count of two billion with three
    // names, one of them missing; a preset whose section is gone.
    Write("[PresetList]\nPresetCount=2000000000\nPreset1=Strano\nPreset3=Perso\n"
          "[Strano]\nSlider1=99\nSlider2=-1000\nSlider3=abc\nSlider4= 6 \nSlider5=3.5\n");
    form.FormShow();
    EXPECT_EQ(Listed(), (QStringList{"Strano", "No Name", "Perso"}));
    Select(0);
    form.ButtonCaricaClick();
    Select(2);
    form.ButtonCaricaClick();
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(loaded[0], (PresetGains{14, -14, 0, 6, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(loaded[1], PresetGains{});
    // A new name goes after what is listed, not after two billion.
    answer = QStringLiteral("Nuovo");
    form.ButtonNuovoClick();
    EXPECT_EQ(Read().Value("PresetList", "Preset4"), "Nuovo");
    EXPECT_EQ(Read().Value("PresetList", "PresetCount"), "4");

    // However many names a file claims, at most a thousand are listed.
    QByteArray many = "[PresetList]\nPresetCount=5000\n";
    for (int n = 1; n <= 1200; ++n)
        many += "Preset" + QByteArray::number(n) + "=P" + QByteArray::number(n) + "\n";
    Write(many);
    form.FormShow();
    EXPECT_EQ(form.ListaPreset->count(), 1000);
}

TEST_F(EqPresetTest, ANameThatWouldBreakTheFileIsRefused)
{
    form.FormShow();
    for (const char* name : {"a]b", "x=y", "due\nrighe", "ritorno\r"}) {
        messages.clear();
        answer = QString::fromLatin1(name);
        form.ButtonNuovoClick();
        ASSERT_EQ(messages.size(), 1) << name;
        EXPECT_TRUE(messages[0].contains(u"non può contenere")) << name;
    }
    EXPECT_FALSE(QFile::exists(File()));
    EXPECT_TRUE(equalizer::PresetNameAllowed(QStringLiteral("Jazz [live"))); // "[" alone is harmless
}

} // namespace
