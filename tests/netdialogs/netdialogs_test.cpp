// The URL dialog with its bookmarks, and the device information window,
// driven through their handlers on the offscreen platform.
#include "audio/audiotest.h"
#include "dialogs/bassinfoform.h"
#include "dialogs/devicelines.h"
#include "dialogs/formurl.h"
#include "player/bookmarks.h"
#include "player/controllers.h"

#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

using namespace velmoro;
using dialogs::TFormURL;

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList Rows(const QListWidget& list)
{
    QStringList rows;
    for (int i = 0; i < list.count(); ++i)
        rows << list.item(i)->text();
    return rows;
}

class UrlDialog : public testing::Test, protected test::Controllers {
protected:
    QStringList opened;
    TFormURL form{state.Windows, settings, [this](const QString& address) { opened << address; }};
};

} // namespace

TEST_F(UrlDialog, FoldsAndUnfoldsTheBookmarksAndQuietsTheKeysWhileShown)
{
    EXPECT_EQ(QUrl(form.EditUrl->text()).host(), "radio.example.com");
    EXPECT_EQ(form.ButtonBM->text(), "&Segnalibri >>");
    settings.SetLines(QStringLiteral("BookmarksListBox"), {"http://uno.example.com/", "/musica/due.mp3"});
    for (int showing = 0; showing < 2; ++showing) {
        form.show();
        EXPECT_EQ(form.height(), 118);
        EXPECT_FALSE(state.Windows.HotKeysEnabled);
        EXPECT_TRUE(state.Windows.DialogOpen);
        form.ButtonBMClick();
        EXPECT_EQ(form.height(), 319);
        form.ButtonBMClick();
        EXPECT_EQ(form.height(), 319);
        form.ButtonCloseClick();
        EXPECT_TRUE(state.Windows.HotKeysEnabled);
        EXPECT_FALSE(state.Windows.DialogOpen);
    }
    EXPECT_TRUE(opened.isEmpty());

    // A bookmark only fills the address; "Apri" opens it and closes.
    form.show();
    form.ListBoxBMClick(1);
    form.ListBoxBMClick(5);
    EXPECT_EQ(form.EditUrl->text(), "/musica/due.mp3");
    EXPECT_TRUE(opened.isEmpty());
    form.ButtonOpenClick();
    EXPECT_EQ(opened, QStringList{"/musica/due.mp3"});
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(state.Windows.HotKeysEnabled);
}

// Read with LF alone, shown as the dialog's copy, added to twice, written
// back with CR LF.
TEST_F(UrlDialog, BookmarkFileRoundTripThroughTheDialogsCopy)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("BookMarks.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("http://uno.example.com/\n/musica/due.mp3\n");
    file.close();
    player::BookmarkFile bookmarks;
    settings.SetLines(QStringLiteral("BookmarksListBox"), bookmarks.Load(path));
    form.show();
    EXPECT_EQ(Rows(*form.ListBoxBM), (QStringList{"http://uno.example.com/", "/musica/due.mp3"}));
    form.ButtonCloseClick();

    command.AddCurrentBookmark(); // nothing is open yet: nothing is added
    playback.CurrentFileName = QStringLiteral("http://radio.example.com/live");
    command.AddCurrentBookmark();
    command.AddCurrentBookmark();
    form.show();
    EXPECT_EQ(Rows(*form.ListBoxBM),
              (QStringList{"http://uno.example.com/", "/musica/due.mp3", "http://radio.example.com/live",
                           "http://radio.example.com/live"}));
    form.ButtonCloseClick();
    EXPECT_EQ(bookmarks.Save(settings.Lines(QStringLiteral("BookmarksListBox"))).outcome,
              player::BookmarkFile::SaveOutcome::Written);
    EXPECT_EQ(ReadAll(path), "http://uno.example.com/\r\n/musica/due.mp3\r\n"
                             "http://radio.example.com/live\r\nhttp://radio.example.com/live\r\n");
}

TEST_F(UrlDialog, TheUKeyAndTheMenuItemOpenIt)
{
    RunKeyCommand(command, 22);
    player::RunCommand(command, player::CommandId::OpenUrl);
    EXPECT_EQ(window.urlDialogs, 2);
}

// Shown twice, the list holds the same lines, not twice as many.
TEST(DeviceInformation, FourteenRecordLinesThenTheDevice)
{
    test::ManualLibrary m;
    app::WindowFlags windows;
    dialogs::TBassInfoForm form(windows, *m.lib);
    form.FillDeviceInformation();
    const QStringList first = Rows(*form.BassInfoListBox);
    form.FillDeviceInformation();
    EXPECT_EQ(Rows(*form.BassInfoListBox), first);
    ASSERT_EQ(first.size(), 14 + 1 + 5);
    EXPECT_EQ(first[0], " VERSIONE A3D 0");
    EXPECT_EQ(first[1], " VERSIONE DIRECTX 0");
    EXPECT_EQ(first[5], "  Frequenza minima  1000 Hz");
    EXPECT_EQ(first[8], "  Driver in emulazione");
    EXPECT_EQ(first[9], "  Driver non certificato");
    EXPECT_EQ(first[13], "  Supporto audio a 16 bit");
    EXPECT_EQ(first[18], "  Formato: s16le, 44100 Hz, 2 canali");

    form.show();
    EXPECT_FALSE(windows.HotKeysEnabled);
    form.OkButtonClick();
    EXPECT_TRUE(windows.HotKeysEnabled);

    // A library that fills nothing: zeros, and no device.
    test::FakeAudio none;
    dialogs::TBassInfoForm empty(windows, none);
    empty.FillDeviceInformation();
    const QStringList zeros = Rows(*empty.BassInfoListBox);
    ASSERT_EQ(zeros.size(), 14 + 1 + 1);
    EXPECT_EQ(zeros[2], "  Memoria Hardware libera 0 bytes");
    EXPECT_EQ(zeros[12], "  Non supportato a 8 bit");
    EXPECT_EQ(zeros.back(), "  Nessuna periferica aperta");
}

TEST(DeviceInformation, DeviceLinesSayWhatIsUnknown)
{
    const audio::DeviceReport bare{"", "", "", "", "u8", 22050, 1, -1};
    EXPECT_EQ(
        dialogs::DeviceReportLines(&bare),
        (QStringList{"  Server audio: sconosciuto", "  Uscita: sconosciuto", "  Descrizione: sconosciuto",
                     "  Formato: u8, 22050 Hz, mono", "  Latenza in uso: sconosciuta"}));
}
