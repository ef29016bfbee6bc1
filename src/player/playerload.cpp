// The player window while the playlist loads: events keep running, the
// progress shows, and a close waits for the load to stop.
#include "player/playerform.h"

#include <QCoreApplication>

namespace velmoro::player {

void TPlayerForm::WatchPlaylistWork()
{
    m_loadPump = std::make_shared<LoadPump>(
        [] { QCoreApplication::processEvents(); },
        [this](const QString& fileName, int percent) { ShowLoadProgress(fileName, percent); });
    playlist::TMPEGAudioList& list = m_state.Tracks.Playlist;
    list.OnBusyChanged = [this](bool busy) {
        m_loadPump->BusyChanged(busy);
        if (!busy && m_closePending)
            QTimer::singleShot(0, this, [this] { close(); });
    };
    list.OnProgress = [this](playlist::TMPEGAudio&, const QString& source, int number, int total) {
        m_loadPump->Entry(source, number, total);
        return !m_closePending;
    };
    // Entries keep a copy for their own frame searches, and may outlive the
    // window.
    list.OnProcessMessages = [pump = std::weak_ptr<LoadPump>(m_loadPump)] {
        if (const auto alive = pump.lock())
            alive->Pump();
    };
}

// In the playlist window's status while it shows, else in the title.
void TPlayerForm::ShowLoadProgress(const QString& fileName, int percent)
{
    if (percent < 0) {
        PlaylistForm->ShowProgress(QString());
        if (!m_titleBeforeLoad.isEmpty())
            setWindowTitle(m_titleBeforeLoad);
        m_titleBeforeLoad.clear();
        return;
    }
    if (PlaylistForm->isVisible()) {
        PlaylistForm->ShowProgress(QStringLiteral("Caricamento %1%").arg(percent));
        return;
    }
    if (m_titleBeforeLoad.isEmpty())
        m_titleBeforeLoad = windowTitle();
    setWindowTitle(
        QStringLiteral("Caricamento di %1: %2% - %3").arg(fileName).arg(percent).arg(m_titleBeforeLoad));
}

} // namespace velmoro::player
