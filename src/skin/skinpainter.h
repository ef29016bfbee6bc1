#pragma once
// Painting of the main window into an off-screen image, one element at a
// time, so that a property change repaints only its element. Each function
// returns the rectangle it changed. No widget here: tests and the command
// line renderer paint without a display.
#include "skin/clutterbar.h"
#include "skin/mainwindowtable.h"
#include "skin/skinset.h"
#include "skin/skintypes.h"
#include "skin/spritecanvas.h"

#include <QImage>
#include <QRect>
#include <QString>

#include <array>

namespace velmoro::skin {

inline constexpr int kTitleBufferWidth = 1048;
inline constexpr int kTitleBufferHeight = 10;

// Everything the drawing depends on besides the skin set.
struct DrawState {
    QString Title;
    QString Progress;
    int Volume = 80;
    int Balance = 50;
    int PositionBar = 0;
    TStatus Status = ssNone;
    bool Ready = true;
    int Bitrate = -1;
    int Frequency = -1;
    TStereoMode StereoMode;
    int LeftMeter = 0;
    int RightMeter = 0;
    TSkinChecked Checked;
    bool Sticky = false;
    bool Active = false;

    QString MessageText;
    int ScrollOffset = 0;
    int TitleWidth = 0;
    int PressedButton = 0;
    int PressedTitleButton = 0;
    int PressedClutterButton = 0;
    TClutterModes ClutterModes; // the lit modes of the clutterbar
    bool VolumeDragging = false;
    bool BalanceDragging = false;
    bool PositionDragging = false;
};

// Whether the title area shows a scrolling text; a shorter one stands still.
bool TitleScrolls(const DrawState& s);

// A new off-screen image of the main window, transparent black.
QImage NewCanvas();
QImage NewTitleBuffer();

class SkinPainter {
public:
    SkinPainter(const SkinSet& skin, QImage& canvas, QImage& titleBuffer);
    // The canvas keeps a view of this painter's own sheet list.
    SkinPainter(const SkinPainter&) = delete;
    SkinPainter& operator=(const SkinPainter&) = delete;

    // Everything but the title-bar buttons, in the classic order. The caller
    // sets s.Active first.
    QRect FullPaint(DrawState& s);

    QRect TitleBar(const DrawState& s);
    QRect Buttons(const DrawState& s);
    QRect Toggles(const DrawState& s);
    QRect TitleButtons(const DrawState& s);
    QRect ClutterBar(const DrawState& s);
    QRect VolumeSlider(const DrawState& s);
    QRect BalanceSlider(const DrawState& s);
    QRect Time(const DrawState& s);
    QRect Title(DrawState& s); // keeps TitleWidth and ScrollOffset
    QRect PositionBar(const DrawState& s);
    QRect PlayState(const DrawState& s);
    QRect Frequency(const DrawState& s);
    QRect Bitrate(const DrawState& s);
    QRect StereoIndicators(const DrawState& s);
    QRect Meter(int value, int top);
    QRect Meters(const DrawState& s);

private:
    const SkinSet& m_skin;
    std::array<const QImage*, kMainSheetCount> m_sheets;
    SpriteCanvas m_canvas;
    QImage& m_titleBuffer;
};

} // namespace velmoro::skin
