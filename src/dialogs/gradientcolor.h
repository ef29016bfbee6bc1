#pragma once
// The about window's title animation: a colour blended along two segments,
// and the counter that swings it to and fro.
#include <QRgb>

namespace velmoro::dialogs {

// A two-segment blend from c1 through c2 to c3 as p runs from 0 to n: c1 to
// c2 while p is up to n div 2, then on toward c3. With c1 equal to c2 it is
// one segment from c1 to c3. Each component moves by its share rounded to
// the nearest integer, halves to even; p outside 0…n stays at the ends.
// Colours are 0xRRGGBB; the alpha of the result is opaque.
QRgb GradientColor(QRgb c1, QRgb c2, QRgb c3, int p, int n);

// The counter of the about window's colour timer: five steps up to past
// 100, five down to below 0, and so on (it swings between −5 and 105). It
// lives with the window, so showing it again goes on from where it stopped.
class TitleFade {
public:
    // One tick of the timer; the title's colour at the new count.
    QRgb Step();
    int Counter() const { return m_counter; }
    // Showing the window starts the counter climbing again.
    void StartClimbing() { m_step = +5; }

private:
    int m_counter = 0;
    int m_step = +5; // InfoFadeStep
};

} // namespace velmoro::dialogs
