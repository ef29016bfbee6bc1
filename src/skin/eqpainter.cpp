#include "skin/eqpainter.h"

#include "platform/verify.h"
#include "skin/blit.h"
#include "skin/sheetloader.h"
#include "skin/spritecanvas.h"

namespace velmoro::skin {

namespace {

QRect ButtonSprite(EqButtonLook look, QRect off, QRect on, QRect pressedOff, QRect pressedOn)
{
    switch (look) {
    case EqButtonLook::On:
        return on;
    case EqButtonLook::PressedOff:
        return pressedOff;
    case EqButtonLook::PressedOn:
        return pressedOn;
    case EqButtonLook::Off:
        break;
    }
    return off;
}

QRect Sprite(QImage& target, QRect to, const QImage& sheet, QRect from)
{
    Blit(target, to, sheet, from);
    return to;
}

// The curve's colour for a row: the skin's colour column, or, in a sheet too
// small to have one, the colour of the middle of the column's place.
QRgb CurveColour(const QImage& sheet, int row)
{
    const QPoint at = kEqCurveColoursSprite.topLeft() + QPoint(0, row);
    return sheet.rect().contains(at) ? sheet.pixel(at) : qRgb(255, 200, 0);
}

} // namespace

EqualizerSkin::EqualizerSkin()
{
    Load(BuiltInSkin());
}

void EqualizerSkin::Load(const SkinSource& source)
{
    LoadSheet(source, QStringLiteral("eqmain.bmp"), m_sheet);
}

void PaintEqualizerWindow(const EqualizerSkin& skin, const EqualizerView& view, QImage& target)
{
    if (target.size() != kEqWindowSize)
        target = NewWindowImage(kEqWindowSize);
    FillRect(target, target.rect(), qRgb(0, 0, 0));
    Blit(target, kEqBackground, skin.Sheet(), kEqBackgroundSprite);
    Blit(target, QRect(0, 0, kEqTitleBarSprite.width(), kEqTitleBarSprite.height()), skin.Sheet(),
         kEqTitleBarSprite);
    PaintEqEnableButton(skin, view, target);
    PaintEqAutoButton(skin, view, target);
    PaintEqPresetButton(skin, view, target);
    PaintEqCurve(skin, view, target);
    for (int slider = 0; slider < kEqSliderCount; ++slider)
        PaintEqSlider(skin, view, slider, target);
}

QRect PaintEqEnableButton(const EqualizerSkin& skin, const EqualizerView& view, QImage& target)
{
    return Sprite(target, kEqEnableButton, skin.Sheet(),
                  ButtonSprite(view.enable, kEqEnableOffSprite, kEqEnableOnSprite, kEqEnablePressedOffSprite,
                               kEqEnablePressedOnSprite));
}

QRect PaintEqAutoButton(const EqualizerSkin& skin, const EqualizerView& view, QImage& target)
{
    return Sprite(target, kEqAutoButton, skin.Sheet(),
                  ButtonSprite(view.autoButton, kEqAutoOffSprite, kEqAutoOnSprite, kEqAutoPressedOffSprite,
                               kEqAutoPressedOnSprite));
}

QRect PaintEqPresetButton(const EqualizerSkin& skin, const EqualizerView& view, QImage& target)
{
    return Sprite(target, kEqPresetButton, skin.Sheet(),
                  view.presetPressed ? kEqPresetPressedSprite : kEqPresetSprite);
}

QRect PaintEqCurve(const EqualizerSkin& skin, const EqualizerView& view, QImage& target)
{
    Blit(target, kEqCurve, skin.Sheet(), kEqCurveSprite);
    if (view.curve.empty())
        return kEqCurve;
    VELMORO_VERIFY_OR_DEBUG_ASSERT(int(view.curve.size()) == kEqCurve.width())
    {
        return kEqCurve;
    }
    // A line through the columns: each reaches over to the row of the one
    // before it, so steep parts stay joined.
    int previous = EqCurveRow(view.curve.front());
    for (int column = 0; column < kEqCurve.width(); ++column) {
        const int row = EqCurveRow(view.curve[std::size_t(column)]);
        const int step = row >= previous ? 1 : -1;
        for (int r = row == previous ? row : previous + step;; r += step) {
            target.setPixel(kEqCurve.topLeft() + QPoint(column, r), CurveColour(skin.Sheet(), r));
            if (r == row)
                break;
        }
        previous = row;
    }
    return kEqCurve;
}

QRect PaintEqSlider(const EqualizerSkin& skin, const EqualizerView& view, int slider, QImage& target)
{
    VELMORO_VERIFY_OR_DEBUG_ASSERT(slider >= 0 && slider < kEqSliderCount)
    {
        return {};
    }
    const QRect area = EqSliderRect(slider);
    const std::optional<EqSliderLook>& look = view.sliders[std::size_t(slider)];
    if (!look) {
        Restore(target, skin.Sheet(), area); // the window's background shows
        return area;
    }
    // Drawn in the slider's own picture, so the thumb is cut at its edges.
    QImage picture = NewWindowImage(kEqSliderSize);
    Blit(picture, QRect(QPoint(), kEqSliderSize), skin.Sheet(), EqSliderBackgroundSprite(look->position));
    Blit(picture, EqThumbRect(look->position), skin.Sheet(),
         look->thumbPressed ? kEqThumbPressedSprite : kEqThumbSprite);
    Blit(target, area, picture, picture.rect());
    return area;
}

} // namespace velmoro::skin
