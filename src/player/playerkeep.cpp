// The player window's settings and places kept from run to run, and its thread's priority.
#include "player/playerform.h"

#include "platform/logging.h"
#include "platform/threadpriority.h"
#include "settings/windowscale.h"
#include "skin/eqlayout.h"
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

// Where the last run left them, else the playlist window below the player
// and as wide as it, and the equalizer's below that.
void TPlayerForm::PlaceOtherWindows()
{
    const std::optional<QRect> kept = m_keptPlaces.playlist;
    const std::optional<QPoint> at =
        kept ? PlaceOnScreens(kept->topLeft(), kept->size(), ScreenAreas()) : std::nullopt;
    if (at)
        PlaylistForm->setGeometry(QRect(*at, kept->size()));
    else
        PlaylistForm->setGeometry(x(), y() + height(), width(), PlaylistForm->height());
    const QSize eqSize = skin::kEqWindowSize * settings::WindowScale(m_settings);
    const std::optional<QPoint> eqAt = m_keptPlaces.equalizer
                                           ? PlaceOnScreens(*m_keptPlaces.equalizer, eqSize, ScreenAreas())
                                           : std::nullopt;
    MoveEqualizer(eqAt.value_or(QPoint(PlaylistForm->x(), PlaylistForm->y() + PlaylistForm->height())));
    m_playlistPlaced = true;
    if (m_keptPlaces.playlistShown)
        ShowPlaylistWindow();
    if (m_keptPlaces.equalizerShown && Equalizer.Mode() == app::EqualizerMode::Audible)
        EqualizerCommand();
}

void TPlayerForm::SaveKeptSettings()
{
    // Closed before the other windows were placed: they stay where they were.
    WindowPlaces places = m_keptPlaces;
    places.player = pos();
    places.language = Languages.InForce().Name();
    if (m_playlistPlaced) {
        places.playlist = PlaylistForm->geometry();
        places.playlistShown = PlaylistForm->isVisible();
        places.equalizer = EqualizerPlace();
        places.equalizerShown = FormEqualizzatore && FormEqualizzatore->isVisible();
    }
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
