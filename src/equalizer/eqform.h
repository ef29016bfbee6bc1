#pragma once
// TFormEqualizzatore: the equalizer window. A frameless 275 x 116 window
// drawn from the skin's eqmain.bmp: the enable, auto and preset buttons, the
// curve area and eleven sliders, dragged by its background and carried by
// the player (the player records the offsets). Painting is eqpainter.h's;
// this class holds the state the pictures show and turns the mouse into it.
// In double size every pixel of the picture is a square of four and the
// areas over it grow with it; region.txt's [Equalizer] shape cuts it.
//
// In the designed mode (EqualizerEngine::Mode) the eleven sliders share one
// value, TempTrack, with −14 at the top, and reach no gain; the auto button
// changes only its picture. In the audible mode each slider has its own
// gain, +14 dB at the top (the classic skins' way up): the preamplifier and
// bands 1 to 10. The curve shows the bands' response and the auto button
// loads the preset named like the genre of each song opened.
#include "app/equalizer.h"
#include "app/playerstate.h"
#include "equalizer/eqpresetform.h"
#include "settings/settings.h"
#include "skin/eqpainter.h"
#include "skin/hitarea.h"
#include "skin/regionfile.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <array>
#include <memory>
#include <utility>
#include <vector>

class QMenu;

namespace velmoro::equalizer {

class TFormEqualizzatore : public QWidget {
    Q_OBJECT
public:
    TFormEqualizzatore(app::PlayerState& state, settings::Settings& settings, app::EqualizerEngine& engine,
                       QWidget* parent = nullptr);
    ~TFormEqualizzatore() override;

    // Loads the window's part of a skin and draws it anew.
    void CaricaEqSkinClick(const skin::SkinSource& source);

    // The sliders, by their index (0 the preamplifier, 1 to 10 the bands)
    // and the mouse's height in the slider.
    void SliderMouseDown(int slider);
    void SliderMouseMove(int slider, int y);
    void SliderMouseUp(int slider);
    void EqEnableImgMouseDown();
    void EqEnableImgClick(); // and the double click
    void EqEnableImgMouseUp();
    void AutoEqImgMouseDown();
    void AutoEqImgClick(); // and the double click
    void AutoEqImgMouseUp();
    void PresetButtonImgMouseDown();
    void PresetButtonImgMouseUp();
    void PresetButtonImgClick();
    void CaricaSalvaPreset1Click();
    void TimerPosizioneFormTimer();

    // A song has been opened: with auto on in the audible mode, the preset
    // named like its genre, when there is one.
    void StreamOpened();

    int TempTrack() const { return m_tempTrack; }
    int Scale() const { return m_scale; }
    int AutoTag() const { return m_autoTag; }
    const QImage& Picture() const { return m_image; }

    skin::HitArea* SfondoEq;
    skin::HitArea* EqEnableImg;
    skin::HitArea* AutoEqImg;
    skin::HitArea* PresetButtonImg;
    std::array<skin::HitArea*, skin::kEqSliderCount> SliderImgs{};
    QMenu* EqualizPresetMenu;
    QTimer TimerPosizioneForm;
    std::unique_ptr<TFormEqPreset> FormEqPreset;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void BuildAreas();
    void ConnectButton(skin::HitArea* area, void (TFormEqualizzatore::*down)(),
                       void (TFormEqualizzatore::*click)(), void (TFormEqualizzatore::*up)());
    bool Audible() const { return m_engine.Mode() == app::EqualizerMode::Audible; }
    int PositionOf(int slider) const; // what a slider shows
    void DrawSlider(int slider, bool thumbPressed);
    void DrawCurve();
    void LoadGains(const PresetGains& gains);
    void Repaint(QRect area);
    void SetScale(int scale);
    void ApplyShape();
    QRect Scaled(QRect area) const { return QRect(area.topLeft() * m_scale, area.size() * m_scale); }

    app::PlayerState& m_state;
    settings::Settings& m_settings;
    app::EqualizerEngine& m_engine;
    skin::EqualizerSkin m_skin;
    skin::EqualizerView m_view;
    QImage m_image;
    int m_tempTrack = 1; // the hidden track bar, −14…+14
    int m_autoTag = 0;
    std::array<bool, skin::kEqSliderCount> m_held{};
    bool m_afterDoubleClick = false; // the release that ends a double click is no click
    int m_scale = 1;
    std::vector<std::pair<skin::HitArea*, QRect>> m_areas; // and their places at scale 1
    skin::Polygons m_shape;
};

} // namespace velmoro::equalizer
