#include "player/mainwindowframe.h"

#include "settings/windowscale.h"
#include "skin/regionfile.h"
#include "skin/skingeometry.h"

namespace velmoro::player {

MainWindowFrame::MainWindowFrame(QWidget& window, skin::TWinampSkin& skin, settings::Settings& settings,
                                 std::initializer_list<skin::HitArea*> areas)
    : QObject(&window), m_window(window), m_skin(skin), m_settings(settings)
{
    for (skin::HitArea* area : areas)
        m_areas.push_back({area, area->geometry()});
    connect(&m_settings, &settings::Settings::Changed, this, [this](const QString& name) {
        if (name == settings::kDoubleSizeSetting)
            Apply();
    });
    connect(&m_skin, &skin::TWinampSkin::OnSkinChanged, this, &MainWindowFrame::Apply);
}

int MainWindowFrame::Scale() const
{
    return settings::WindowScale(m_settings);
}

void MainWindowFrame::ResizeArea(skin::HitArea* area, QSize size)
{
    for (Area& a : m_areas)
        if (a.widget == area)
            a.geometry.setSize(size);
}

void MainWindowFrame::AddShadeArea(skin::HitArea* area)
{
    m_areas.push_back({area, area->geometry(), true});
    area->setVisible(m_shaded);
}

void MainWindowFrame::SetShaded(bool shaded)
{
    m_shaded = shaded;
    Apply();
}

void MainWindowFrame::Apply()
{
    const int scale = Scale();
    const bool shaded = m_shaded;
    m_skin.SetScale(scale);
    const QSize size(skin::kSkinWidth * scale, (shaded ? skin::kShadeHeight : skin::kSkinHeight) * scale);
    m_window.setFixedSize(size);
    m_skin.setGeometry(QRect(QPoint(0, 0), size));
    for (const Area& a : m_areas) {
        a.widget->setGeometry(QRect(a.geometry.topLeft() * scale, a.geometry.size() * scale));
        if (a.shadeOnly)
            a.widget->setVisible(shaded);
    }

    const skin::RegionShape shape = shaded ? skin::RegionShape::WindowShade : skin::RegionShape::Normal;
    const QRegion mask = skin::ShapeMask(m_skin.Skin().Regions.Of(shape), scale);
    if (mask.isEmpty())
        m_window.clearMask();
    else
        m_window.setMask(mask);

    skin::TClutterModes modes;
    modes.setFlag(skin::cmOnTop, m_window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    modes.setFlag(skin::cmDoubleSize, scale == 2);
    if (modes != m_skin.ClutterModes())
        m_skin.SetClutterModes(modes);
}

} // namespace velmoro::player
