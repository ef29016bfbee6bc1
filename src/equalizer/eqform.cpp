#include "equalizer/eqform.h"

#include "settings/windowscale.h"
#include "skin/docking.h"
#include "skin/screencursors.h"
#include "trackinfo/mpegaudio.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QPainter>

#include <algorithm>
#include <utility>

namespace velmoro::equalizer {

namespace {

// Cursor slots of the skin (eqslid.cur, eqtitle.cur, eqnormal.cur).
constexpr int kSliderCursor = 14;
constexpr int kTitleCursor = 15;
constexpr int kNormalCursor = 16;

skin::EqButtonLook Look(bool on, bool pressed)
{
    if (pressed)
        return on ? skin::EqButtonLook::PressedOn : skin::EqButtonLook::PressedOff;
    return on ? skin::EqButtonLook::On : skin::EqButtonLook::Off;
}

} // namespace

TFormEqualizzatore::TFormEqualizzatore(app::PlayerState& state, settings::Settings& settings,
                                       app::EqualizerEngine& engine, QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint), m_state(state), m_settings(settings), m_engine(engine)
{
    setObjectName(QStringLiteral("FormEqualizzatore"));
    setWindowTitle(QStringLiteral("Equalizzatore"));
    setFixedSize(skin::kEqWindowSize); // FormCreate
    BuildAreas();
    EqualizPresetMenu = new QMenu(this);
    EqualizPresetMenu->setObjectName(QStringLiteral("EqualizPresetMenu"));
    QAction* preset = EqualizPresetMenu->addAction(QStringLiteral("Carica/Salva Preset ..."));
    preset->setObjectName(QStringLiteral("CaricaSalvaPreset1"));
    connect(preset, &QAction::triggered, this, &TFormEqualizzatore::CaricaSalvaPreset1Click);
    TimerPosizioneForm.setObjectName(QStringLiteral("TimerPosizioneForm"));
    TimerPosizioneForm.setInterval(1);
    connect(&TimerPosizioneForm, &QTimer::timeout, this, &TFormEqualizzatore::TimerPosizioneFormTimer);
    FormEqPreset = std::make_unique<TFormEqPreset>(
        m_state.Windows, m_state.Dirs.AppDir, [this](const PresetGains& gains) { LoadGains(gains); },
        [this] { return m_state.Eq.EqSlider; }, this);
    m_image = skin::NewWindowImage(skin::kEqWindowSize);
    skin::PaintEqualizerWindow(m_skin, m_view, m_image);
    SetScale(settings::WindowScale(m_settings));
    connect(&m_settings, &settings::Settings::Changed, this, [this](const QString& name) {
        if (name == settings::kDoubleSizeSetting)
            SetScale(settings::WindowScale(m_settings));
    });
}

TFormEqualizzatore::~TFormEqualizzatore() = default;

void TFormEqualizzatore::BuildAreas()
{
    using skin::HitArea;
    SfondoEq = new HitArea(QStringLiteral("SfondoEq"), skin::kEqBackground, this);
    EqEnableImg = new HitArea(QStringLiteral("EqEnableImg"), skin::kEqEnableButton, this);
    AutoEqImg = new HitArea(QStringLiteral("AutoEqImg"), skin::kEqAutoButton, this);
    PresetButtonImg = new HitArea(QStringLiteral("PresetButtonImg"), skin::kEqPresetButton, this);
    const QString names[skin::kEqSliderCount] = {
        QStringLiteral("SliderImg1"), QStringLiteral("SliderImg2"), QStringLiteral("Image1"),
        QStringLiteral("Image2"),     QStringLiteral("Image3"),     QStringLiteral("Image4"),
        QStringLiteral("Image5"),     QStringLiteral("Image6"),     QStringLiteral("Image7"),
        QStringLiteral("Image8"),     QStringLiteral("Image9")};
    for (int i = 0; i < skin::kEqSliderCount; ++i) {
        HitArea* area = new HitArea(names[i], skin::EqSliderRect(i), this);
        SliderImgs[std::size_t(i)] = area;
        connect(area, &HitArea::MouseDown, this, [this, i](Qt::MouseButton, QPoint) { SliderMouseDown(i); });
        connect(area, &HitArea::MouseMove, this, [this, i](QPoint at) {
            // Rounded down, also above the slider while a drag goes there.
            const int y = at.y() >= 0 ? at.y() / m_scale : -((-at.y() + m_scale - 1) / m_scale);
            SliderMouseMove(i, y);
        });
        connect(area, &HitArea::MouseUp, this, [this, i](Qt::MouseButton, QPoint) { SliderMouseUp(i); });
    }
    ConnectButton(EqEnableImg, &TFormEqualizzatore::EqEnableImgMouseDown,
                  &TFormEqualizzatore::EqEnableImgClick, &TFormEqualizzatore::EqEnableImgMouseUp);
    ConnectButton(AutoEqImg, &TFormEqualizzatore::AutoEqImgMouseDown, &TFormEqualizzatore::AutoEqImgClick,
                  &TFormEqualizzatore::AutoEqImgMouseUp);
    connect(PresetButtonImg, &HitArea::MouseDown, this, &TFormEqualizzatore::PresetButtonImgMouseDown);
    connect(PresetButtonImg, &HitArea::MouseUp, this, &TFormEqualizzatore::PresetButtonImgMouseUp);
    connect(PresetButtonImg, &HitArea::Click, this, &TFormEqualizzatore::PresetButtonImgClick);
    connect(SfondoEq, &HitArea::MouseDown, this, [this](Qt::MouseButton b, QPoint at) {
        if (b == Qt::RightButton)
            return;
        const QPoint cursor = SfondoEq->mapToGlobal(at);
        m_state.Drag.EqDragDX = x() - cursor.x();
        m_state.Drag.EqDragDY = y() - cursor.y();
        TimerPosizioneForm.start();
    });
    connect(SfondoEq, &HitArea::MouseUp, this, [this] { TimerPosizioneForm.stop(); });
    for (HitArea* area : findChildren<HitArea*>(Qt::FindDirectChildrenOnly))
        m_areas.emplace_back(area, area->geometry());
}

void TFormEqualizzatore::SetScale(int scale)
{
    m_scale = std::clamp(scale, 1, 2);
    setFixedSize(skin::kEqWindowSize * m_scale);
    for (const auto& [area, place] : m_areas)
        area->setGeometry(Scaled(place));
    ApplyShape();
    update();
}

void TFormEqualizzatore::ApplyShape()
{
    const QRegion mask = skin::ShapeMask(m_shape, m_scale);
    if (mask.isEmpty())
        clearMask();
    else
        setMask(mask);
}

// A double click is a click and a double click, as the window system told
// them: the release that ends the double click is not a third.
void TFormEqualizzatore::ConnectButton(skin::HitArea* area, void (TFormEqualizzatore::*down)(),
                                       void (TFormEqualizzatore::*click)(), void (TFormEqualizzatore::*up)())
{
    connect(area, &skin::HitArea::MouseDown, this, [this, down](Qt::MouseButton b, QPoint) {
        if (b == Qt::LeftButton)
            (this->*down)();
    });
    connect(area, &skin::HitArea::DblClick, this, [this, down, click] {
        m_afterDoubleClick = true;
        (this->*click)();
        (this->*down)();
    });
    connect(area, &skin::HitArea::MouseUp, this, [this, up](Qt::MouseButton, QPoint) { (this->*up)(); });
    connect(area, &skin::HitArea::Click, this, [this, click, up] {
        if (std::exchange(m_afterDoubleClick, false))
            return;
        (this->*click)();
        (this->*up)(); // the picture of the new state
    });
}

void TFormEqualizzatore::CaricaEqSkinClick(const skin::SkinSource& source)
{
    m_skin.Load(source);
    m_shape = skin::LoadRegionFile(source).Of(skin::RegionShape::Equalizer);
    ApplyShape();
    const skin::ScreenCursors& cursors = skin::ScreenCursors::Instance();
    setCursor(cursors.Cursor(kNormalCursor));
    SfondoEq->setCursor(cursors.Cursor(kTitleCursor));
    for (skin::HitArea* slider : SliderImgs)
        slider->setCursor(cursors.Cursor(kSliderCursor));
    m_view.enable = Look(m_state.Eq.EqEnabled, false);
    m_view.autoButton = Look(m_autoTag == 1, false);
    m_view.presetPressed = false;
    if (Audible()) {
        for (int i = 0; i < skin::kEqSliderCount; ++i)
            m_view.sliders[std::size_t(i)] = skin::EqSliderLook{PositionOf(i), false};
    } else {
        // The design draws the first two and leaves the others empty until used.
        m_view.sliders.fill(std::nullopt);
        m_view.sliders[0] = m_view.sliders[1] = skin::EqSliderLook{m_tempTrack, true};
    }
    if (Audible())
        DrawCurve();
    else
        m_view.curve.clear();
    skin::PaintEqualizerWindow(m_skin, m_view, m_image);
    update();
}

int TFormEqualizzatore::PositionOf(int slider) const
{
    // Audible: the top is the loudest.
    return Audible() ? -m_engine.Gain(slider) : m_tempTrack;
}

void TFormEqualizzatore::DrawSlider(int slider, bool thumbPressed)
{
    m_view.sliders[std::size_t(slider)] = skin::EqSliderLook{PositionOf(slider), thumbPressed};
    Repaint(skin::PaintEqSlider(m_skin, m_view, slider, m_image));
}

void TFormEqualizzatore::DrawCurve()
{
    m_view.curve.resize(std::size_t(skin::kEqCurve.width()));
    for (int column = 0; column < skin::kEqCurve.width(); ++column)
        m_view.curve[std::size_t(column)] =
            app::EqualizerResponseDb(m_state.Eq.EqSlider, skin::EqCurveFrequency(column));
    Repaint(skin::PaintEqCurve(m_skin, m_view, m_image));
}

void TFormEqualizzatore::Repaint(QRect area)
{
    update(Scaled(area));
}

void TFormEqualizzatore::SliderMouseDown(int slider)
{
    m_held[std::size_t(slider)] = true;
}

void TFormEqualizzatore::SliderMouseMove(int slider, int y)
{
    if (!m_held[std::size_t(slider)])
        return;
    const int position = skin::EqPositionAt(y);
    if (Audible()) {
        m_engine.SetGain(slider, -position);
        DrawCurve();
    } else {
        m_tempTrack = position;
    }
    DrawSlider(slider, true);
}

void TFormEqualizzatore::SliderMouseUp(int slider)
{
    DrawSlider(slider, true);
    m_held[std::size_t(slider)] = false;
    DrawSlider(slider, false);
}

void TFormEqualizzatore::EqEnableImgMouseDown()
{
    m_view.enable = Look(m_state.Eq.EqEnabled, true);
    Repaint(skin::PaintEqEnableButton(m_skin, m_view, m_image));
}

void TFormEqualizzatore::EqEnableImgClick()
{
    m_state.Eq.EqEnabled = !m_state.Eq.EqEnabled;
    m_engine.ApplyEqualizer();
}

void TFormEqualizzatore::EqEnableImgMouseUp()
{
    m_view.enable = Look(m_state.Eq.EqEnabled, false);
    Repaint(skin::PaintEqEnableButton(m_skin, m_view, m_image));
}

void TFormEqualizzatore::AutoEqImgMouseDown()
{
    m_view.autoButton = Look(m_autoTag == 1, true);
    Repaint(skin::PaintEqAutoButton(m_skin, m_view, m_image));
}

void TFormEqualizzatore::AutoEqImgClick()
{
    m_autoTag = 1 - m_autoTag;
    if (m_autoTag == 1)
        StreamOpened(); // the song playing now gets its preset too
}

void TFormEqualizzatore::AutoEqImgMouseUp()
{
    m_view.autoButton = Look(m_autoTag == 1, false);
    Repaint(skin::PaintEqAutoButton(m_skin, m_view, m_image));
}

void TFormEqualizzatore::PresetButtonImgMouseDown()
{
    m_view.presetPressed = true;
    Repaint(skin::PaintEqPresetButton(m_skin, m_view, m_image));
}

void TFormEqualizzatore::PresetButtonImgMouseUp()
{
    m_view.presetPressed = false;
    Repaint(skin::PaintEqPresetButton(m_skin, m_view, m_image));
}

void TFormEqualizzatore::PresetButtonImgClick()
{
    EqualizPresetMenu->popup(pos() + skin::kEqPresetButton.topLeft() * m_scale);
}

void TFormEqualizzatore::CaricaSalvaPreset1Click()
{
    FormEqPreset->open(); // modal, without a nested event loop
}

void TFormEqualizzatore::LoadGains(const PresetGains& gains)
{
    m_engine.LoadGains(gains);
    if (!Audible())
        return;
    for (int slider = 1; slider < skin::kEqSliderCount; ++slider)
        DrawSlider(slider, false);
    DrawCurve();
}

void TFormEqualizzatore::StreamOpened()
{
    if (!Audible() || m_autoTag != 1 || m_state.Playback.CurrentStream == 0)
        return;
    const QString fileName = m_state.Playback.CurrentFileName;
    if (!QFileInfo(fileName).isFile())
        return; // an address has no tag
    trackinfo::TMPEGAudio info;
    info.SetFileName(fileName);
    if (!info.HasTag())
        return;
    platform::ProfileFile file;
    file.Load(m_state.Dirs.AppDir + kPresetFileName);
    const QString genre = info.GenreText();
    for (const QString& name : PresetNames(file)) {
        if (name.compare(genre, Qt::CaseInsensitive) == 0) {
            LoadGains(PresetGainsOf(file, name));
            return;
        }
    }
}

void TFormEqualizzatore::TimerPosizioneFormTimer()
{
    const skin::SnapRule rule{m_settings.Checked(QStringLiteral("ScreenHookCheck")),
                              m_settings.Position(QStringLiteral("SensHookVal"))};
    move(skin::DraggedWindowPosition(QPoint(m_state.Drag.EqDragDX, m_state.Drag.EqDragDY), size(), rule));
}

void TFormEqualizzatore::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // Without smooth transformation each pixel becomes a square of the scale.
    painter.drawImage(QRect(QPoint(0, 0), m_image.size() * m_scale), m_image);
}

} // namespace velmoro::equalizer
