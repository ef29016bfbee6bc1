// The five menus of the playlist window's bottom bar and the commands they
// run. The commands' work on the list is model code (listcommands.h,
// htmlplaylist.h, folderfiles.h); here are the dialogs around it.
#include "platform/logging.h"
#include "playlist/folderfiles.h"
#include "playlist/htmlplaylist.h"
#include "playlist/listcommands.h"
#include "playlist/playlistform.h"
#include "playlist/playlistview.h"

#include <QActionGroup>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QUrl>

namespace velmoro::playlist {

namespace {

const QString kHtmlPlaylist = QStringLiteral("HTMLPlaylist.Html");

// "Name|pattern;pattern|..." as a Qt file dialog filter.
QString DialogFilter(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList qt;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(u';');
        // Linux names keep their case: the upper-case spellings match too.
        for (const QString& pattern : parts[i + 1].split(u';'))
            if (pattern.toUpper() != pattern)
                patterns << pattern.toUpper();
        qt << parts[i] + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return qt.join(QStringLiteral(";;"));
}

PlaylistDialogs QtDialogs(QWidget* parent)
{
    PlaylistDialogs d;
    d.openFiles = [parent](const QString& title, const QString& filter) {
        return QFileDialog::getOpenFileNames(parent, title, QString(), DialogFilter(filter));
    };
    d.openFile = [parent](const QString& title, const QString& filter) {
        return QFileDialog::getOpenFileName(parent, title, QString(), DialogFilter(filter));
    };
    d.saveFile = [parent](const QString& title, const QString& filter) {
        return QFileDialog::getSaveFileName(parent, title, QString(), DialogFilter(filter));
    };
    d.askText = [parent](const QString& caption, const QString& prompt,
                         const QString& text) -> std::optional<QString> {
        bool ok = false;
        const QString answer = QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, text, &ok);
        return ok ? std::optional<QString>(answer) : std::nullopt;
    };
    d.confirm = [parent](const QString& caption, const QString& text) {
        return QMessageBox::question(parent, caption, text, QMessageBox::Yes | QMessageBox::No) !=
               QMessageBox::No;
    };
    d.showError = [parent](const QString& title, const QString& text) {
        QMessageBox::warning(parent, title, text);
    };
    d.openInBrowser = [](const QString& path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
    return d;
}

} // namespace

QAction* AddItem(QMenu* menu, const char* name, const QString& caption, const std::function<void()>& run)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    QObject::connect(action, &QAction::triggered, menu, run);
    return action;
}

QAction* AddCheck(QMenu* menu, const char* name, const QString& caption, bool checked)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

void TPlaylistForm::BuildMenus()
{
    Dialogs = QtDialogs(this);
    TMPEGAudioList& list = m_tracks.Playlist;
    // A load or a shuffle lets events run: while it does, the menus change
    // nothing under it.
    const auto menu = [this, &list](const char* name) {
        auto* m = new QMenu(this);
        m->setObjectName(QString::fromLatin1(name));
        connect(m, &QMenu::aboutToShow, m, [m, &list] { m->setEnabled(!list.Busy()); });
        return m;
    };

    AddPlaylistMenu = menu("AddPlaylistMenu");
    AddItem(AddPlaylistMenu, "AddFile1", QStringLiteral("Aggiungi File ..."), [this] { AddFilesCommand(); });
    AddItem(AddPlaylistMenu, "AddDir1", QStringLiteral("Aggiungi Dir ..."), [this] { AddDirCommand(); });

    RemPlaylistMenu = menu("RemPlaylistMenu");
    AddItem(RemPlaylistMenu, "Rimuovitutti1", QStringLiteral("Rimuovi tutti"),
            [this] { RemoveAllCommand(); });
    AddItem(RemPlaylistMenu, "Rimuoviselezionati1", QStringLiteral("Rimuovi selezionati"), [this, &list] {
        RemoveEntries(list, RemoveWhich::Marked);
        AfterChange();
    });
    AddItem(RemPlaylistMenu, "Rimuovinonselezionati1", QStringLiteral("Rimuovi non selezionati"),
            [this, &list] {
                RemoveEntries(list, RemoveWhich::Unmarked);
                AfterChange();
            });

    SelPlaylistMenu = menu("SelPlaylistMenu");
    const std::tuple<const char*, const char*, MarkChange> marks[] = {
        {"Selezionatutti1", "Seleziona tutti", MarkChange::All},
        {"Selezionanessuno1", "Seleziona nessuno", MarkChange::None},
        {"Invertiselezione1", "Inverti selezione", MarkChange::Invert},
    };
    for (const auto& [name, caption, change] : marks)
        AddItem(SelPlaylistMenu, name, QString::fromUtf8(caption), [this, &list, c = change] {
            ChangeMarks(list, c);
            AfterChange();
        });

    MiscPlaylistMenu = menu("MiscPlaylistMenu");
    QMenu* sortMenu = MiscPlaylistMenu->addMenu(QStringLiteral("Ordina la playlist"));
    sortMenu->menuAction()->setObjectName(QStringLiteral("OrdinalaPlaylist1"));
    const std::tuple<const char*, const char*, SortKey> keys[] = {
        {"perTitolo1", "per Titolo", SortKey::Title},
        {"perArtista1", "per Artista", SortKey::Artist},
        {"perAlbum1", "per Album", SortKey::Album},
        {"perNomedelfile1", "per Nome del file", SortKey::FileName},
        {"perDurata1", "per Durata", SortKey::Duration},
        {"perData1", "per Data", SortKey::FileDate},
    };
    for (const auto& [name, caption, key] : keys)
        AddItem(sortMenu, name, QString::fromUtf8(caption), [this, &list, k = key] {
            SortByKey(list, k);
            AfterChange();
        });
    sortMenu->addSeparator();
    auto* direction = new QActionGroup(sortMenu);
    for (const bool descending : {false, true}) {
        QAction* item =
            AddCheck(sortMenu, descending ? "DescendingDirection1" : "AescendingDirection1",
                     descending ? QStringLiteral("Ordine descrescente") : QStringLiteral("Ordine crescente"),
                     list.SortDescending == descending);
        direction->addAction(item);
        connect(item, &QAction::triggered, this, [this, &list, descending] {
            SetSortDirection(list, descending);
            RefreshPlaylistList();
        });
    }
    sortMenu->addSeparator();
    AddItem(sortMenu, "Random1", QStringLiteral("Random"), [this, &list] {
        Shuffle(list);
        AfterChange();
    });
    AddItem(MiscPlaylistMenu, "CreaPlaylistHTML1", QStringLiteral("Crea playlist HTML ..."),
            [this] { HtmlExportCommand(); });
    MiscPlaylistMenu->addSeparator();
    AddItem(MiscPlaylistMenu, "Informazionisulfile1", QStringLiteral("Informazioni sul file"), [this, &list] {
        if (m_selectedRow < 0 || m_selectedRow >= list.Count())
            return;
        const QString file = list.Items(m_selectedRow).GetFileName();
        if (QFileInfo(file).isFile())
            m_host.ShowFileTags(file);
    });
    AddItem(MiscPlaylistMenu, "ModificaInformazioni1", QStringLiteral("Modifica Informazioni ..."),
            [this, &list] {
                if (m_selectedRow >= 0 && m_selectedRow < list.Count())
                    m_host.EditEntryFileName(m_selectedRow);
            });

    LoadSavePlaylistMenu = menu("LoadSavePlaylistMenu");
    AddItem(LoadSavePlaylistMenu, "NouvaPlaylist1", QStringLiteral("Nouva playlist"),
            [this] { NewPlaylistCommand(); });
    AddItem(LoadSavePlaylistMenu, "Aggiungiplaylist1", QStringLiteral("Aggiungi playlist ..."),
            [this] { LoadPlaylistCommand(false); });
    AddItem(LoadSavePlaylistMenu, "CaricaPlaylist1", QStringLiteral("Carica playlist ..."),
            [this] { LoadPlaylistCommand(true); });
    AddItem(LoadSavePlaylistMenu, "SalvaPlaylist1", QStringLiteral("Salva playlist ..."),
            [this] { SavePlaylistCommand(); });
    LoadSavePlaylistMenu->addSeparator();
    m_appendFiles =
        AddCheck(LoadSavePlaylistMenu, "AppendiifilenellaPlaylist", QStringLiteral("Appendi i file"), true);
    m_relativeNames = AddCheck(LoadSavePlaylistMenu, "Esportacondirrelativa1",
                               QStringLiteral("Esporta con dir relativa"), false);
    m_validOnly =
        AddCheck(LoadSavePlaylistMenu, "Esportasolovalidi1", QStringLiteral("Esporta solo validi"), false);
    m_selectedOnly = AddCheck(LoadSavePlaylistMenu, "Esportasoloselezionati1",
                              QStringLiteral("Esporta solo selezionati"), false);
}

void TPlaylistForm::AfterChange()
{
    RefreshPlaylistList();
}

void TPlaylistForm::AddFilesCommand()
{
    const QStringList files = Dialogs.openFiles(
        QStringLiteral("Aggiungi file"),
        QStringLiteral("File Musicali (mp1 mp2 mp3)|*.mp1;*.mp2;*.mp3|Play List|*.pls;*.m3u"));
    if (files.isEmpty())
        return;
    m_tracks.Playlist.AddFiles(files, QFileInfo(files.front()).absolutePath());
    RefreshPlaylistList();
}

void TPlaylistForm::AddDirCommand()
{
    const std::optional<QString> answer =
        Dialogs.askText(QStringLiteral("Aggiungi Carlella"), QStringLiteral("Cartella"), m_lastFolder);
    if (!answer || *answer == m_skinsDir || !QFileInfo(*answer).isDir())
        return;
    m_lastFolder = *answer;
    m_tracks.Playlist.AddFiles(FolderAudioAndListFiles(*answer), *answer);
    RefreshPlaylistList();
}

void TPlaylistForm::NewPlaylistCommand()
{
    m_tracks.Playlist.Clear();
    RefreshPlaylistList();
}

// The list is cleared only once the user has chosen a file: a cancelled
// dialog leaves it as it was.
void TPlaylistForm::LoadPlaylistCommand(bool replace)
{
    const QString file =
        Dialogs.openFile(replace ? QStringLiteral("Apri playlist") : QStringLiteral("Aggiungi playlist"),
                         QStringLiteral("File playlist (M3U e PLS)|*.m3u;*.pls"));
    if (file.isEmpty())
        return;
    if (replace || !m_appendFiles->isChecked())
        m_tracks.Playlist.Clear();
    m_tracks.Playlist.LoadFile(file);
    RefreshPlaylistList();
}

void TPlaylistForm::SavePlaylistCommand()
{
    const QString file =
        Dialogs.saveFile(QStringLiteral("Salva playlist"), QStringLiteral("M3U Playlist|*.m3u"));
    if (file.isEmpty())
        return;
    const M3USaveOptions options{.append = m_appendFiles->isChecked(),
                                 .selectedOnly = m_selectedOnly->isChecked(),
                                 .validOnly = m_validOnly->isChecked(),
                                 .relativeNames = m_relativeNames->isChecked()};
    if (m_tracks.Playlist.SaveM3U(file, options) == -1)
        Dialogs.showError(
            QStringLiteral("Salva playlist"),
            QStringLiteral("Impossibile salvare la playlist %1.").arg(QFileInfo(file).fileName()));
    RefreshPlaylistList();
}

void TPlaylistForm::RemoveAllCommand()
{
    if (!Dialogs.confirm(QStringLiteral("Rimuovi tutti"), QStringLiteral("Cancellare tutta la playlist?")))
        return;
    m_tracks.Playlist.Clear();
    RefreshPlaylistList();
}

void TPlaylistForm::HtmlExportCommand()
{
    FillView();
    const QStringList lines =
        HtmlPlaylistLines(m_tracks.Playlist, m_view.rowText, m_view.positionStatus, m_view.timeStatus);
    const QString path = m_appDir + kHtmlPlaylist;
    if (const int error = WriteHtmlPlaylist(path, lines)) {
        qCWarning(lcPlaylist) << "cannot write" << path << "-" << qPrintable(qt_error_string(error));
        Dialogs.showError(
            QStringLiteral("Crea playlist HTML"),
            QStringLiteral("Impossibile salvare %1: %2").arg(kHtmlPlaylist, qt_error_string(error)));
        return;
    }
    Dialogs.openInBrowser(path);
}

} // namespace velmoro::playlist
