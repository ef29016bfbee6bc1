// The player window's settings and places kept from run to run, and its thread's priority.
#include "player/playerform.h"

#include "platform/logging.h"
#include "platform/threadpriority.h"
#include "skin/skingeometry.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

namespace velmoro::player {

namespace {

QList<QRect> ScreenAreas()
{
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas << screen->availableGeometry();
    return areas;
}

} // namespace

void TPlayerForm::RestoreKeptSettings()
{
    m_keptPlaces = m_kept.Restore(m_settings, m_state.Dirs);
    if (m_keptPlaces.player) {
        const QSize size(skin::kSkinWidth, skin::kSkinHeight);
        if (const auto at = PlaceOnScreens(*m_keptPlaces.player, size, ScreenAreas()))
            move(*at);
    }
}

// Where the last run left it, else below the player and as wide as it.
void TPlayerForm::PlacePlaylistWindow()
{
    const std::optional<QRect> kept = m_keptPlaces.playlist;
    const std::optional<QPoint> at =
        kept ? PlaceOnScreens(kept->topLeft(), kept->size(), ScreenAreas()) : std::nullopt;
    if (at)
        PlaylistForm->setGeometry(QRect(*at, kept->size()));
    else
        PlaylistForm->setGeometry(x(), y() + height(), width(), PlaylistForm->height());
    m_playlistPlaced = true;
    if (m_keptPlaces.playlistShown)
        ShowPlaylistWindow();
}

void TPlayerForm::SaveKeptSettings()
{
    // Closed before the playlist window was placed: it stays where it was.
    const WindowPlaces places = m_playlistPlaced
                                    ? WindowPlaces{pos(), PlaylistForm->geometry(), PlaylistForm->isVisible()}
                                    : WindowPlaces{pos(), m_keptPlaces.playlist, m_keptPlaces.playlistShown};
    if (const int error = m_kept.Save(m_settings, m_state.Dirs, places))
        SaveFailed(QStringLiteral("le impostazioni ") + QFileInfo(m_kept.Path()).fileName(),
                   qt_error_string(error));
}

void TPlayerForm::ApplyGuiPriority()
{
    const int niceness =
        platform::GuiNicenessOfPosition(m_settings.Position(QStringLiteral("PrioritaGUITrack")));
    // A higher priority needs privileges most users do not have; the thread
    // then keeps the one it has, as the user would expect of a preference.
    if (!platform::SetCallingThreadNiceness(niceness))
        qCDebug(lcPlayer) << "the user-interface thread keeps niceness" << platform::CallingThreadNiceness()
                          << "instead of" << niceness;
}

} // namespace velmoro::player
