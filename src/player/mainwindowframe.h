#pragma once
// The main window's frame around its skin: its size at the scale of double
// size, the areas that take the mouse over the skin (given in the skin's own
// pixels and scaled with it), the window shape of the skin's region.txt, and
// the clutterbar's lit modes. Everything is laid out again whenever the
// scale, the skin, the shade mode or the stay-on-top mode changes.
#include "settings/settings.h"
#include "skin/hitarea.h"
#include "skin/winampskin.h"

#include <QObject>
#include <QRect>
#include <QWidget>

#include <initializer_list>
#include <vector>

namespace velmoro::player {

class MainWindowFrame : public QObject {
    Q_OBJECT
public:
    // The areas' present geometries are taken as given in skin pixels.
    MainWindowFrame(QWidget& window, skin::TWinampSkin& skin, settings::Settings& settings,
                    std::initializer_list<skin::HitArea*> areas);

    // An area's size in skin pixels, as the shade mode changes it; taken
    // at the next Apply.
    void ResizeArea(skin::HitArea* area, QSize size);
    // The window rolled up to its title bar, or not.
    void SetShaded(bool shaded);
    // An area that takes the mouse only in shade mode, laid out like the others.
    void AddShadeArea(skin::HitArea* area);
    // Lays the window out again at the present scale and mode.
    void Apply();

    int Scale() const;

private:
    struct Area {
        skin::HitArea* widget;
        QRect geometry; // in skin pixels
        bool shadeOnly = false;
    };

    QWidget& m_window;
    skin::TWinampSkin& m_skin;
    settings::Settings& m_settings;
    std::vector<Area> m_areas;
    bool m_shaded = false;
};

} // namespace velmoro::player
