// The playlist window offscreen: its menus reach the commands, the dialogs
// answer for the user, and the mouse and the keys reach the rows.
#include "listtest.h"

#include "playlist/playlistform.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QWheelEvent>

using namespace velmoro;
using playlist::TPlaylistForm;

namespace {

struct RecordingHost : playlist::PlaylistHost {
    QList<int> played; // CurrentIndex at each play
    playlist::PlaylistState* tracks = nullptr;
    int pointerOverRows = 0;
    QStringList tagFiles;
    QList<int> renamedEntries;
    void PlayCurrentEntry() override { played << tracks->CurrentIndex; }
    void ShowPlayerMenu(QPoint) override {}
    void PointerOverRows() override { ++pointerOverRows; }
    void ShowFileTags(const QString& fileName) override { tagFiles << fileName; }
    void EditEntryFileName(int index) override { renamedEntries << index; }
};

class PlaylistFormTest : public test::ListTest {
protected:
    PlaylistFormTest()
    {
        host.tracks = &tracks;
        appDir = m_dir.path() + "/";
        form = std::make_unique<TPlaylistForm>(tracks, settings, appDir, skinsDir, host);
        form->Dialogs.openFile = [this](const QString& title, const QString&) {
            titles << title;
            return chosenFile;
        };
        form->Dialogs.showError = [this](const QString&, const QString& text) { errors << text; };
        form->Dialogs.openInBrowser = [this](const QString& path) { opened << path; };
    }

    // The list holds files named after `names`, and the window shows them.
    void Fill(const QStringList& names)
    {
        tracks.Playlist.Clear();
        for (const QString& name : names)
            tracks.Playlist.AddFile(Mp3(name));
        form->RefreshPlaylistList();
    }

    QStringList FileNames() const
    {
        QStringList names;
        for (const QString& path : Names(tracks.Playlist))
            names << QFileInfo(path).fileName();
        return names;
    }

    void Trigger(const char* action) const
    {
        auto* item = form->findChild<QAction*>(QString::fromLatin1(action));
        ASSERT_NE(item, nullptr) << action;
        item->trigger();
    }

    QPoint RowCentre(int row) const
    {
        return QPoint(20, row * 13 + 6); // in the rows box, which starts at the first row
    }

    void Mouse(QEvent::Type type, QPoint at) const
    {
        QMouseEvent event(type, at, form->PlayListBox->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(form->PlayListBox, &event);
    }

    void Key(int key) const
    {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(form->PlayListBox, &event);
    }

    playlist::PlaylistState tracks;
    settings::Settings settings;
    RecordingHost host;
    QString appDir;
    QString skinsDir = "/nowhere/Skins/";
    std::unique_ptr<TPlaylistForm> form;
    QString chosenFile;
    QStringList titles, errors, opened;
};

} // namespace

TEST_F(PlaylistFormTest, MenusCarryTheirCaptions)
{
    const std::pair<const char*, const char*> items[] = {
        {"AddFile1", "Aggiungi File ..."},
        {"AddDir1", "Aggiungi Dir ..."},
        {"Rimuovitutti1", "Rimuovi tutti"},
        {"Rimuoviselezionati1", "Rimuovi selezionati"},
        {"Rimuovinonselezionati1", "Rimuovi non selezionati"},
        {"Selezionatutti1", "Seleziona tutti"},
        {"Selezionanessuno1", "Seleziona nessuno"},
        {"Invertiselezione1", "Inverti selezione"},
        {"OrdinalaPlaylist1", "Ordina la playlist"},
        {"perTitolo1", "per Titolo"},
        {"perDurata1", "per Durata"},
        {"AescendingDirection1", "Ordine crescente"},
        {"DescendingDirection1", "Ordine descrescente"},
        {"Random1", "Random"},
        {"CreaPlaylistHTML1", "Crea playlist HTML ..."},
        {"NouvaPlaylist1", "Nouva playlist"},
        {"Aggiungiplaylist1", "Aggiungi playlist ..."},
        {"CaricaPlaylist1", "Carica playlist ..."},
        {"SalvaPlaylist1", "Salva playlist ..."},
        {"AppendiifilenellaPlaylist", "Appendi i file"},
        {"Esportacondirrelativa1", "Esporta con dir relativa"},
    };
    for (const auto& [name, caption] : items) {
        auto* item = form->findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_NE(item, nullptr) << name;
        EXPECT_EQ(item->text(), QString::fromUtf8(caption));
    }
    EXPECT_TRUE(form->findChild<QAction*>("AppendiifilenellaPlaylist")->isChecked());
    EXPECT_TRUE(form->findChild<QAction*>("AescendingDirection1")->isChecked());
    Trigger("DescendingDirection1");
    EXPECT_TRUE(tracks.Playlist.SortDescending);
    EXPECT_FALSE(form->findChild<QAction*>("AescendingDirection1")->isChecked());
}

// A cancelled dialog leaves the list as it was; the list is replaced only by
// a chosen file.
TEST_F(PlaylistFormTest, LoadingAListClearsOnlyOnceAFileIsChosen)
{
    const QString list = Write("altra.m3u", (Mp3("x.mp3") + "\r\n").toUtf8());
    struct Case {
        const char* command;
        bool append;
        QString chosen;
        QStringList after;
        const char* title;
    };
    const Case cases[] = {
        {"Aggiungiplaylist1", false, "", {"a.mp3", "b.mp3"}, "Aggiungi playlist"},
        {"CaricaPlaylist1", true, "", {"a.mp3", "b.mp3"}, "Apri playlist"},
        {"Aggiungiplaylist1", true, list, {"a.mp3", "b.mp3", "x.mp3"}, "Aggiungi playlist"},
        {"Aggiungiplaylist1", false, list, {"x.mp3"}, "Aggiungi playlist"},
        {"CaricaPlaylist1", true, list, {"x.mp3"}, "Apri playlist"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command + std::string(c.append ? " appending " : " ") + c.chosen.toStdString());
        Fill({"a.mp3", "b.mp3"});
        form->findChild<QAction*>("AppendiifilenellaPlaylist")->setChecked(c.append);
        chosenFile = c.chosen;
        titles.clear();
        Trigger(c.command);
        EXPECT_EQ(titles, QStringList{c.title});
        EXPECT_EQ(FileNames(), c.after);
    }
}

TEST_F(PlaylistFormTest, RowsAnswerTheMouseAndTheKeys)
{
    Fill({"a.mp3", "b.mp3", "c.mp3"});
    Mouse(QEvent::MouseButtonDblClick, RowCentre(1));
    EXPECT_EQ(host.played, QList<int>{1});
    EXPECT_EQ(form->SelectedRow(), 1);

    Key(Qt::Key_Down);
    EXPECT_EQ(form->SelectedRow(), 2);
    Key(Qt::Key_Space);
    EXPECT_EQ(tracks.Playlist.Items(2).Data().Selected, 1);
    Key(Qt::Key_Space);
    EXPECT_EQ(tracks.Playlist.Items(2).Data().Selected, 0);
    Key(Qt::Key_Return);
    EXPECT_EQ(host.played, (QList<int>{1, 2}));
    Key(Qt::Key_Home);
    EXPECT_EQ(form->SelectedRow(), 0);
    Mouse(QEvent::MouseButtonPress, RowCentre(7)); // below the last row: nothing chosen
    EXPECT_EQ(form->SelectedRow(), 0);
    Mouse(QEvent::MouseButtonDblClick, RowCentre(7));
    EXPECT_EQ(host.played.size(), 2);

    // A long list scrolls by the wheel and follows the selection.
    QStringList many;
    for (int i = 0; i < 100; ++i)
        many << QString("n%1.mp3").arg(i);
    Fill(many);
    QWheelEvent wheel(QPointF(20, 20), form->PlayListBox->mapToGlobal(QPointF(20, 20)), QPoint(),
                      QPoint(0, -240), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(form->PlayListBox, &wheel);
    EXPECT_EQ(form->TopRow(), 6);
    Key(Qt::Key_End);
    EXPECT_EQ(form->SelectedRow(), 99);
    EXPECT_EQ(form->TopRow(), 80); // 262 pixels of rows show 20 whole ones
    form->RefreshPlaylistList();   // rebuilt rows: the top, nothing selected
    EXPECT_EQ(form->TopRow(), 0);
    EXPECT_EQ(form->SelectedRow(), -1);
}

TEST_F(PlaylistFormTest, FileInformationItemsNeedASelectedRow)
{
    Fill({"a", "b"});
    Trigger("Informazionisulfile1");
    Trigger("ModificaInformazioni1");
    EXPECT_TRUE(host.tagFiles.isEmpty());
    EXPECT_TRUE(host.renamedEntries.isEmpty());

    form->SelectRow(1);
    Trigger("Informazionisulfile1");
    Trigger("ModificaInformazioni1");
    EXPECT_EQ(host.tagFiles, QStringList({tracks.Playlist.Items(1).GetFileName()}));
    EXPECT_EQ(host.renamedEntries, QList<int>({1}));

    // An entry whose file is gone has no tags to show, but can be renamed.
    QFile::remove(tracks.Playlist.Items(1).GetFileName());
    Trigger("Informazionisulfile1");
    Trigger("ModificaInformazioni1");
    EXPECT_EQ(host.tagFiles.size(), 1);
    EXPECT_EQ(host.renamedEntries, QList<int>({1, 1}));
}

TEST_F(PlaylistFormTest, RemovingAllAsksFirst)
{
    Fill({"a.mp3", "b.mp3"});
    bool answer = false;
    form->Dialogs.confirm = [&](const QString& caption, const QString& text) {
        EXPECT_EQ(caption, "Rimuovi tutti");
        EXPECT_EQ(text, "Cancellare tutta la playlist?");
        return answer;
    };
    Trigger("Rimuovitutti1");
    EXPECT_EQ(tracks.Playlist.Count(), 2);
    answer = true;
    Trigger("Rimuovitutti1");
    EXPECT_EQ(tracks.Playlist.Count(), 0);
}

// The page goes to AppDir and to the browser; a failed write is told.
TEST_F(PlaylistFormTest, HtmlExportIsWrittenAndOpenedOrTheFailureTold)
{
    Fill({"a.mp3"});
    Trigger("CreaPlaylistHTML1");
    const QString page = appDir + "HTMLPlaylist.Html";
    EXPECT_EQ(opened, QStringList{page});
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("a.mp3"));
    EXPECT_TRUE(errors.isEmpty());

    file.remove();
    ASSERT_TRUE(QDir(appDir).mkpath("HTMLPlaylist.Html/inside")); // a folder in its place
    Trigger("CreaPlaylistHTML1");
    EXPECT_EQ(opened.size(), 1);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.front().startsWith("Impossibile salvare HTMLPlaylist.Html: "))
        << errors.front().toStdString();
}
