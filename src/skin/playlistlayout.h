#pragma once
// Where the parts of the playlist window lie for a window size: the frame
// pieces, the rows, the scroll bar, the grip and the five click areas of the
// bottom bar. Everything is in window coordinates and follows the size at
// once, so a resize is a new layout and a repaint.
#include <QPoint>
#include <QRect>
#include <QSize>

namespace velmoro::skin {

inline constexpr QSize kPlaylistInitialSize(431, 320);
inline constexpr int kPlaylistTitleHeight = 20;
inline constexpr int kPlaylistBottomHeight = 38;
inline constexpr int kPlaylistRowHeight = 13;

struct PlaylistLayout {
    QRect title;      // PlaylistSkinImage: left end and title, 151 x 20; drags the window
    QRect titleBar;   // UpBarSkin: the whole top edge, behind the two ends
    QRect closeEnd;   // UPBarCloseSkin: right end of the title bar
    QRect leftBorder; // LeftScrollImage, as far as it shows
    QRect rows;       // the part of PlayListBox that shows (it runs on under the scroll bar)
    // RightPanel: the scroll bar as it shows, between the title bar and the
    // bottom bar.
    QRect scrollBar;
    // RightBarImage inside it, taller than what shows: as high as the window.
    // The thumb is placed and dragged in its coordinates and by its height.
    QRect scrollImage;
    QRect bottomBar;                           // ButtonSepImage: the whole bottom edge, behind the two ends
    QRect bottomLeft;                          // BottomLeftImage
    QRect status;                              // BottomRightImage, which carries the status texts
    QRect grip;                                // TraspMoveImage, 33 x 33 in the bottom-right corner
    QRect add, remove, select, misc, loadSave; // the 25 x 33 click areas
};

// The layout of a window of `size` (FormResize).
PlaylistLayout LayoutPlaylistWindow(QSize size);

// The row under p when the list shows `topRow` first; -1 outside the rows.
// Rows past the end of the list count too: the caller knows how many it has.
int PlaylistRowAt(const PlaylistLayout& layout, int topRow, QPoint p);

} // namespace velmoro::skin
