#pragma once
// The main window's element table: its size, its sheets, its buttons and
// sliders with the cells they draw and their hit areas, and its cursor
// areas. Everything that says where a part of the main window is lives here
// or in skingeometry.h (the value mappings).
#include "skin/elements.h"

#include <QSize>

#include <span>

namespace velmoro::skin {

struct WindowGeometry {
    QSize size;
    int shadeHeight; // the window rolled up to its title bar
};

inline constexpr WindowGeometry kMainWindow{QSize(275, 116), 14};

// The main window's sheets, numbered in the order of BitmapSlots().
enum MainSheet {
    kMainSheet,
    kTitlebarSheet,
    kCButtonsSheet,
    kVolumeSheet,
    kNumbersSheet,
    kShufRepSheet,
    kBalanceSheet,
    kPosBarSheet,
    kTextSheet,
    kPlayPausSheet,
    kMonoSterSheet,
    kMainSheetCount,
};

// Ids of the window's buttons, as PressedButton holds them.
enum MainButton {
    kBackButton = 1,
    kPlayButton,
    kPauseButton,
    kStopButton,
    kForwardButton,
    kEjectButton,
    kShuffleButton,
    kRepeatButton,
    kEqualizerButton,
    kPlaylistButton,
};

// Ids of the title-bar buttons, as PressedTitleButton holds them.
enum MainTitleButton { kMenuButton = 1, kMinimizeButton, kCloseButton, kShadeButton };

// The transport buttons and eject.
std::span<const ButtonElement> TransportButtons();
// Shuffle, repeat, playlist and equalizer (checked when on).
std::span<const ButtonElement> ToggleButtons();
// Menu, minimize, close and shade (the shade button is checked in shade mode).
std::span<const ButtonElement> TitleBarButtons();

// In shade mode the title bar carries the transport buttons and eject; a
// press there is a click at once. The button's id, or 0.
int ShadedButtonAt(QPoint p);

// Where a press takes the sliders and the title text.
inline constexpr HitBox kVolumeHit{107, 177, 57, 72};
inline constexpr HitBox kBalanceHit{177, 217, 57, 72};
inline constexpr HitBox kPositionHit{18, 278, 74, 84};
inline constexpr HitBox kTitleTextHit{109, 255, 24, 36};

// The mono and stereo indicators, cells of buttons that are checked when lit.
enum MainIndicator { kMonoIndicator = 1, kStereoIndicator };
std::span<const ButtonElement> StereoIndicators();

const SliderElement& VolumeSliderElement();
// Without balance.bmp the balance bar is cut from the volume sheet.
const SliderElement& BalanceSliderElement(bool fromVolume);

// Screen cursor slots of the main window.
enum MainCursor {
    kNormalCursor = 5,
    kSongNameCursor = 6,
    kMinimizeCursor = 8,
    kMinCursor = 12,
    kWindowButtonCursor = 19,
    kCloseCursor = 22,
    kVolBalCursor = 24,
    kPosBarCursor = 26,
    kMainMenuCursor = 27,
};

// Areas whose cursor shows while no button is held (else the normal one).
std::span<const CursorArea> HoverCursorAreas();
// Areas whose cursor wins on every move, held button or not.
std::span<const CursorArea> FixedCursorAreas();

} // namespace velmoro::skin
