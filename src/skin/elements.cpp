#include "skin/elements.h"

#include "platform/verify.h"

namespace velmoro::skin {

int ButtonHit(std::span<const ButtonElement> buttons, QPoint p)
{
    int hit = 0;
    for (const ButtonElement& button : buttons)
        if (button.hit.Contains(p))
            hit = button.id;
    return hit;
}

QRect DrawButtons(SpriteCanvas& canvas, std::span<const ButtonElement> buttons, int pressed,
                  const std::function<bool(int id)>& checked)
{
    QRect changed;
    for (const ButtonElement& button : buttons) {
        QRect from = button.from;
        if (button.id == pressed)
            from.translate(button.pressedShift);
        if (checked && checked(button.id))
            from.translate(button.checkedShift);
        changed |= canvas.Draw(button.to, button.sheet, from);
    }
    return changed;
}

QRect DrawSlider(SpriteCanvas& canvas, const SliderElement& slider, int frame, QRect thumb, bool held,
                 bool visible)
{
    VELMORO_VERIFY_OR_DEBUG_ASSERT(frame >= 0 && frame < slider.frames)
    {
        frame = 0;
    }
    // The old thumb may stand anywhere on the track: restore all of it.
    canvas.Restore(slider.track);
    if (visible) {
        canvas.Draw(slider.bar, slider.sheet, slider.barCell.translated(0, slider.frameStep * frame));
        canvas.Draw(thumb, slider.sheet, held ? slider.heldThumbCell : slider.thumbCell);
    }
    return slider.track;
}

int CursorAt(std::span<const CursorArea> areas, QPoint p, int fallback)
{
    int slot = fallback;
    for (const CursorArea& area : areas)
        if (area.hit.Contains(p))
            slot = area.slot;
    return slot;
}

} // namespace velmoro::skin
