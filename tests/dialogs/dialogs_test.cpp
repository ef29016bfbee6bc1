// The dialogs as the user meets them: shown, typed into, clicked, closed.
#include "app/version.h"
#include "dialogs/aboutinfo.h"
#include "dialogs/changefilnameform.h"
#include "dialogs/forminfo.h"
#include "dialogs/jumpform.h"
#include "dialogs/jumptoform.h"
#include "dialogs/mpegform.h"
#include "support/fakeaudio.h"
#include "support/mpegcraft.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace velmoro;
using namespace velmoro::dialogs;
using namespace velmoro::test;

namespace {

const QByteArray kAudio = Frames(MakeHeader({}), 417, 8);

// Every dialog keeps the single-key commands quiet while it shows.
void ExpectDialogFlags(const app::WindowFlags& flags, bool shown)
{
    EXPECT_EQ(flags.HotKeysEnabled, !shown);
    EXPECT_EQ(flags.DialogOpen, shown);
}

} // namespace

TEST(JumpForm, FiltersOnTheTextAfterEachKeyAndPlaysTheLastEqualRow)
{
    app::WindowFlags flags;
    QStringList rows{"Jazz", "Rock", "rock and roll", "Jazz"};
    std::vector<int> played;
    TjumpForm form(flags, {[&] { return rows; }, [&](int index) { played.push_back(index); }});
    form.show();
    ExpectDialogFlags(flags, true);
    EXPECT_EQ(form.ShownRows(), rows);

    QTest::keyClicks(form.jumpEdit, "ROC");
    EXPECT_EQ(form.ShownRows(), QStringList({"Rock", "rock and roll"})); // the C counts at once
    QTest::keyClick(form.jumpEdit, Qt::Key_Backspace);
    QTest::keyClick(form.jumpEdit, Qt::Key_Backspace);
    QTest::keyClick(form.jumpEdit, Qt::Key_Backspace);
    EXPECT_EQ(form.ShownRows(), rows);
    QTest::keyClicks(form.jumpEdit, "zz");
    ASSERT_EQ(form.ShownRows(), QStringList({"Jazz", "Jazz"}));

    // Nothing selected: a double click plays nothing.
    form.playListBoxDblClick();
    EXPECT_TRUE(played.empty());
    const QModelIndex first = form.playListBox->model()->index(0, 0);
    form.playListBox->setCurrentIndex(first);
    form.playListBox->doItemsLayout();
    const QPoint onFirst = form.playListBox->visualRect(first).center();
    QTest::mousePress(form.playListBox->viewport(), Qt::LeftButton, {}, onFirst);
    QTest::mouseDClick(form.playListBox->viewport(), Qt::LeftButton, {}, onFirst);
    EXPECT_EQ(played, std::vector<int>({3}));
    EXPECT_TRUE(form.isVisible()); // it stays open

    // Shown again, it lists the playlist as it is now.
    form.Button2Click();
    ExpectDialogFlags(flags, false);
    rows << "Blues";
    form.show();
    EXPECT_EQ(form.ShownRows().size(), 5);
    form.close();
    ExpectDialogFlags(flags, false);

    TjumpForm empty(flags, {[] { return QStringList(); }, [&](int index) { played.push_back(index); }});
    empty.show();
    QTest::keyClicks(empty.jumpEdit, " ");
    EXPECT_TRUE(empty.ShownRows().isEmpty());
}

TEST(JumptoForm, MovesTheStreamOrTellsABadEntry)
{
    app::WindowFlags flags;
    app::PlaybackState playback;
    FakeAudio audio;
    audio.streams[7].length = 2'000'000'000u;
    playback.CurrentStream = 7;
    playback.TrackSeconds = 7200;
    QStringList messages;
    TjumptoForm form(flags, playback, audio);
    form.ShowMessage = [&](const QString& text) { messages << text; };
    EXPECT_EQ(form.mmssEdit->text(), "00:00");

    form.show();
    ExpectDialogFlags(flags, true);
    form.mmssEdit->setText("60:00"); // 3600 × 2e9 needs more than 32 bits
    form.okBtnClick();
    EXPECT_EQ(audio.streams[7].position, 1'000'000'000u);
    EXPECT_FALSE(form.isVisible());
    ExpectDialogFlags(flags, false);
    EXPECT_TRUE(messages.isEmpty());

    form.show();
    EXPECT_EQ(form.mmssEdit->text(), "60:00"); // kept for the next time
    for (const char* bad : {":30", "230", "2:xx"}) {
        form.mmssEdit->setText(bad);
        form.okBtnClick();
        EXPECT_TRUE(form.isVisible()) << bad;
    }
    playback.TrackSeconds = 0;
    form.mmssEdit->setText("1:00");
    form.okBtnClick();
    EXPECT_EQ(messages, QStringList(4, "Formato mm:ss non valido!"));
    EXPECT_EQ(audio.streams[7].position, 1'000'000'000u);
    form.closeBtnClick();
    ExpectDialogFlags(flags, false);
}

class MpegFormTest : public testing::Test {
protected:
    QString File(const QByteArray& bytes = kAudio) { return WriteFile(m_dir.filePath("song.mp3"), bytes); }
    void Open(const QString& path)
    {
        form.FileToShow = path;
        form.show();
    }

    QTemporaryDir m_dir;
    app::WindowFlags flags;
    QStringList errors;
    QStringList warnings;
    bool keepUnrepresentable = false;
    TmpegForm form{flags,
                   [this](const QString& title, const QString& text) { errors << title + ": " + text; }};

    void SetUp() override
    {
        form.ConfirmUnrepresentable = [this](const QString& text) {
            warnings << text;
            return keepUnrepresentable;
        };
    }
};

TEST_F(MpegFormTest, ShowsAFileWithoutATag)
{
    Open(File());
    ExpectDialogFlags(flags, true);
    EXPECT_EQ(form.fileEdit->text(), m_dir.filePath("song.mp3"));
    EXPECT_EQ(form.titleEdit->text(), "Unknown Title");
    EXPECT_EQ(form.artistEdit->text(), "Unknown Artist");
    EXPECT_EQ(form.commeneEdit->text(), "[notag]");
    EXPECT_EQ(form.genereComboBox->currentIndex(), -1);
    EXPECT_EQ(form.genereComboBox->count(), 126);
    EXPECT_EQ(form.genereComboBox->itemText(17), "Rock");
    EXPECT_EQ(form.headerListBox->count(), 8);
    EXPECT_EQ(form.headerListBox->item(4)->text(), "Stereo");
    EXPECT_EQ(form.Label7->text(), "Tag Version 1");
    EXPECT_EQ(form.Label8->text(), QString::number(kAudio.size()) + " Bytes");
    EXPECT_FALSE(form.Label9->text().isEmpty());
    EXPECT_TRUE(form.Label11->text().startsWith("Volume"));

    form.Button1Click();
    EXPECT_EQ(form.titleEdit->text(), "song");
    form.closeButtonClick();
    ExpectDialogFlags(flags, false);
}

TEST_F(MpegFormTest, SavesWhatTheUserSees)
{
    const QString path = File();
    Open(path);
    // The spin box holds what one byte can: 300 is not to be had.
    EXPECT_EQ(form.trackSpinEdit->maximum(), 255);
    form.trackSpinEdit->setValue(300);
    EXPECT_EQ(form.trackSpinEdit->value(), 255);
    form.titleEdit->setText("Titolo");
    form.genereComboBox->setCurrentIndex(8);
    QTest::keyClick(form.trackSpinEdit, Qt::Key_Return); // Enter in the track box saves
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();

    trackinfo::TMPEGAudio saved;
    saved.SetFileName(path);
    EXPECT_EQ(saved.Data().Title, "Titolo");
    EXPECT_EQ(saved.Data().Track, 255);
    EXPECT_EQ(saved.Data().Genre, 8);

    // Shown again it reads the file anew, and removing leaves the fields.
    Open(path);
    EXPECT_EQ(form.titleEdit->text(), "Titolo");
    EXPECT_EQ(form.trackSpinEdit->value(), 255);
    form.updateButtonClick();
    EXPECT_EQ(ReadWholeFile(path), kAudio);
    EXPECT_EQ(form.titleEdit->text(), "Titolo");
    EXPECT_TRUE(form.isVisible());
}

TEST_F(MpegFormTest, WarnsOfCharactersLatin1CannotHold)
{
    const QString path = File();
    Open(path);
    form.artistEdit->setText(QString::fromUtf8("Snow ☃ Man"));
    QTest::keyClick(form.artistEdit, Qt::Key_Return); // Enter in an edit saves
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].contains("non rappresentabili"));
    EXPECT_TRUE(warnings[0].contains("Artista"));
    EXPECT_TRUE(form.isVisible()); // back to editing, the file untouched
    EXPECT_EQ(ReadWholeFile(path), kAudio);

    keepUnrepresentable = true;
    form.saveButtonClick();
    EXPECT_FALSE(form.isVisible());
    trackinfo::TMPEGAudio saved;
    saved.SetFileName(path);
    EXPECT_EQ(saved.Data().Artist, "Snow ? Man");
}

TEST_F(MpegFormTest, AFailedSaveIsToldAndTheWindowStays)
{
    const QString path = File();
    Open(path);
    QFile::remove(path);
    form.saveButtonClick();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("song.mp3")) << errors[0].toStdString();
    EXPECT_TRUE(errors[0].contains("non esiste")) << errors[0].toStdString();
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(QFile::exists(path));
    form.updateButtonClick();
    EXPECT_EQ(errors.size(), 2);
}

TEST(ChangeFilnameForm, RenamesTheEntryWhichReadsItsNewFile)
{
    QTemporaryDir dir;
    const QString before = WriteFile(dir.filePath("before.mp3"), kAudio);
    const QString after = WriteFile(dir.filePath("after.mp3"), Frames(MakeHeader({}), 417, 80));
    playlist::TMPEGAudioList list;
    list.AddFile(before);
    app::WindowFlags flags;
    int changes = 0;
    TChangeFilnameForm form(flags, list);
    form.OnEntryChanged = [&] { ++changes; };
    form.SetEntry(0, before);
    form.show();
    ExpectDialogFlags(flags, true);
    EXPECT_EQ(form.LineaEdit->text(), before);
    EXPECT_TRUE(form.LineaEdit->isReadOnly());
    EXPECT_EQ(form.ModificaEdit->text(), before);

    form.ModificaEdit->setText(after);
    form.ButtonModificaClick();
    EXPECT_EQ(list.Items(0).GetFileName(), after);
    EXPECT_EQ(list.Items(0).Data().FileLength, 80 * 417);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(form.isVisible());
    ExpectDialogFlags(flags, false);

    form.SetEntry(0, after);
    form.ModificaEdit->setText(dir.filePath("nowhere.mp3"));
    form.ButtonCloseClick(); // closing changes nothing
    EXPECT_EQ(list.Items(0).GetFileName(), after);
    form.ModificaEdit->setText(dir.filePath("nowhere.mp3"));
    form.ButtonModificaClick();
    EXPECT_EQ(list.Items(0).Data().Title, "[not found: nowhere.mp3]");
}

TEST(ChangeFilnameFormDeathTest, AnEntryOutsideTheListIsABrokenCaller)
{
    playlist::TMPEGAudioList list;
    app::WindowFlags flags;
    TChangeFilnameForm form(flags, list);
    form.SetEntry(3, "/nowhere.mp3");
    EXPECT_DEBUG_DEATH(form.ButtonModificaClick(), "EntryIndex");
}

TEST(FormInfo, TitleSwingsOnAndTheAddressOpens)
{
    app::WindowFlags flags;
    std::vector<QUrl> opened;
    TFormInfo form(flags);
    form.OpenAddress = [&](const QUrl& url) { opened.push_back(url); };
    form.show();
    ExpectDialogFlags(flags, true);
    EXPECT_TRUE(form.TimerSfuma.isActive());
    EXPECT_EQ(form.TimerSfuma.interval(), 50);
    for (int i = 0; i < 12; ++i)
        form.TimerSfumaTimer();
    EXPECT_EQ(form.Fade().Counter(), 60);
    EXPECT_EQ(form.LabelTitle->palette().color(QPalette::WindowText).rgb(),
              GradientColor(0, 0xFFFF00, 0xFF0000, 60, 123));
    form.ButtonChiudiClick();
    EXPECT_FALSE(form.TimerSfuma.isActive());
    ExpectDialogFlags(flags, false);
    form.show(); // on from where it stopped
    form.TimerSfumaTimer();
    EXPECT_EQ(form.Fade().Counter(), 65);

    QTest::mouseClick(form.Label2, Qt::LeftButton);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], ProjectAddress());
    EXPECT_EQ(form.Label2->text(), ProjectAddress().toString());
    EXPECT_TRUE(ProjectAddress().host().endsWith(".example"));

    EXPECT_EQ(form.LabelTitle->text(), "Velmoro");
    EXPECT_EQ(form.LabelVer->text(), BuildVersionLine());
    EXPECT_TRUE(form.LabelVer->text().contains(app::kVersionText));
    EXPECT_EQ(form.ImageBanner->pixmap().size(), QSize(284, 86));
    EXPECT_EQ(form.Image1->pixmap().size(), QSize(32, 32));
    const QString credits = form.MemoCred->toPlainText();
    for (const char* name : {"GNU General Public License", "LICENSE", "Qt ", "libmpg123", "libpulse",
                             "libcurl", "Daniel Stenberg", "KissFFT", "Mark Borgerding", "libzip"})
        EXPECT_TRUE(credits.contains(QLatin1String(name))) << name;
    EXPECT_TRUE(form.MemoCred->isReadOnly());
}

TEST(AboutInfo, VersionLineNamesTheBuildDayInItalian)
{
    EXPECT_EQ(VersionLine("0.5.0", "2026-12-09"), "Versione 0.5.0 - 9 Dicembre 2026");
    EXPECT_EQ(VersionLine("1.0", "2001-08-21"), "Versione 1.0 - 21 Agosto 2001");
    EXPECT_EQ(VersionLine("1.0", ""), "Versione 1.0");
    EXPECT_TRUE(BuildVersionLine().startsWith(QStringLiteral("Versione ") + app::kVersionText + " - "));
}
