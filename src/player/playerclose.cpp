// The player window's close: what it saves, and how a failed save is told.
#include "player/playerform.h"

#include "platform/logging.h"
#include "platform/wholefile.h"
#include "player/playerfiles.h"

#include <QCloseEvent>
#include <QFileInfo>

namespace velmoro::player {

void TPlayerForm::CloseFor(CloseCause cause)
{
    m_closeCause = cause;
    close();
}

void TPlayerForm::closeEvent(QCloseEvent* event)
{
    // A close among a load's pending events: the load stops at its next
    // entry, and the close comes back once the list is idle.
    if (m_state.Tracks.Playlist.Busy()) {
        m_closePending = true;
        event->ignore();
        return;
    }
    FormClose();
    if (!m_saveFailures.isEmpty() && m_closeCause == CloseCause::User && m_showError)
        m_showError(QStringLiteral("Salvataggio non riuscito!"), m_saveFailures.join(u'\n'));
    event->accept();
}

void TPlayerForm::SaveFailed(const QString& what, const QString& reason)
{
    m_saveFailures << QStringLiteral("Impossibile salvare %1: %2").arg(what, reason);
    // Critical, so that it reaches standard error without any logging rule:
    // after a termination signal nobody may see the error window.
    qCCritical(lcPlayer).noquote() << "not saved:" << what << "-" << reason;
}

void TPlayerForm::FormClose()
{
    if (m_closed)
        return;
    m_closed = true;
    // As the user left them, before the close selects the level meters.
    SaveKeptSettings();
    const BookmarkFile::SaveResult marks =
        m_bookmarkFile.Save(m_settings.Lines(QStringLiteral("BookmarksListBox")));
    if (marks.outcome == BookmarkFile::SaveOutcome::Failed)
        SaveFailed(QStringLiteral("i segnalibri ") + kBookmarks, qt_error_string(marks.error));
    else if (marks.outcome == BookmarkFile::SaveOutcome::ChangesDropped)
        SaveFailed(QStringLiteral("i segnalibri ") + kBookmarks,
                   QStringLiteral("il file non si è potuto leggere per intero all'avvio e resta com'è"));
    m_settings.SetChecked(QStringLiteral("VUMeterCheck"), true);
    const QString playlist = m_state.Dirs.AppDir + kDefaultPlaylist;
    if (m_keepDefaultPlaylist)
        qCInfo(lcPlayer) << "kept" << playlist << "as it is: the close stopped its load";
    else if (!m_ownsDefaultPlaylist)
        qCInfo(lcPlayer) << "kept" << playlist << "as it is: another player owns it";
    else if (m_state.Tracks.Playlist.SaveM3U(playlist, {.relativeNames = true}) != 0) {
        // The list's result code has no room for the system's reason.
        const platform::WriteFailure failure = platform::LastWriteFailure();
        const bool ours =
            QFileInfo(failure.path).absoluteFilePath() == QFileInfo(playlist).absoluteFilePath();
        SaveFailed(QStringLiteral("la playlist ") + kDefaultPlaylist,
                   ours ? qt_error_string(failure.error) : QStringLiteral("motivo sconosciuto"));
    }
    if (m_state.Playback.PlayStatus == app::PlayStatusValue::Playing)
        MainPlayerSkinStopClick();
    TimerRinfresco.stop();
    PlaylistForm->close();
    if (FormEqualizzatore)
        FormEqualizzatore->close();
    if (Plugins)
        Plugins->UnloadMenuPlugins();
    if (OpzioniForm)
        OpzioniForm->close();
    if (SkinBrowserForm)
        SkinBrowserForm->close();
}

} // namespace velmoro::player
