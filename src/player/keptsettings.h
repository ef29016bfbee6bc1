#pragma once
// What one run leaves for the next besides the playlist and the bookmarks:
// the settings, the skin in use, the skins folder, where the windows stand
// and the language they speak, in one profile file that is replaced whole
// at each close. With "Ricorda le impostazioni" off, a run starts from the
// initial values and the close writes none of them; only the box itself
// is kept, so that it stays off.
#include "app/shared.h"
#include "settings/settings.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

#include <optional>

namespace velmoro::player {

struct WindowPlaces {
    std::optional<QPoint> player;
    std::optional<QRect> playlist; // its corner and its size
    bool playlistShown = false;
    std::optional<QPoint> equalizer;
    bool equalizerShown = false;
    // The language file the windows were speaking; empty for the captions
    // the program is built with.
    QString language;
};

// Where a window kept at saved may stand on the screens there are now: its
// title bar must be on one of them, else it is placed as on a first run.
std::optional<QPoint> PlaceOnScreens(QPoint saved, QSize size, const QList<QRect>& screens);

class KeptSettings {
public:
    // No path: nothing is read or written.
    explicit KeptSettings(QString path = {}) : m_path(std::move(path)) {}

    // Sets the settings, the skin and the skins folder the file holds
    // (those that still exist), and gives the windows' places.
    WindowPlaces Restore(settings::Settings& settings, app::AppDirectories& dirs) const;

    // 0, or the system's error code; the old file stays as it was then.
    int Save(const settings::Settings& settings, const app::AppDirectories& dirs,
             const WindowPlaces& places) const;

    const QString& Path() const { return m_path; }

private:
    QString m_path;
};

} // namespace velmoro::player
