#pragma once
// Painting of the playlist window into an off-screen image: the frame cut
// from pledit.bmp, the scroll bar with its thumb, the status texts in the
// skin's 5 x 6 font and the visible rows in the colours and font of
// pledit.txt. Each function returns the rectangle it changed, so the window
// repaints on screen only that. No widget here: tests and the command line
// renderer paint without a display (the rows need a QGuiApplication for
// their font).
#include "skin/playlistlayout.h"
#include "skin/playlistskin.h"

#include <QImage>
#include <QRect>
#include <QRgb>
#include <QSize>
#include <QString>

#include <functional>

namespace velmoro::skin {

// What the window shows; the window fills it from its model.
struct PlaylistView {
    QSize size = kPlaylistInitialSize;
    int rowCount = 0;
    int topRow = 0; // the first row shown, 0..rowCount
    // Asked only for the rows that show, so a list of any length costs the
    // same to paint.
    std::function<QString(int row)> rowText;
    std::function<bool(int row)> marked; // the entry's Selected mark; none when empty
    int currentRow = -1;                 // CurrentIndex
    int selectedRow = -1;                // the list's selected row, -1 for none
    bool focusOnSelected = false;        // the list has the focus: a dotted frame on the selected row
    // Text of the selected row when it is not the current one: the
    // platform's colour for selected text, which the window takes from its
    // palette.
    QRgb selectedTextColor = qRgb(255, 255, 255);
    QString positionStatus; // PlaylistPanel1, e.g. "3/12 (41MB)"
    QString timeStatus;     // PlaylistPanel2, e.g. "01:02"
    int thumbTop = 0;       // in the scroll bar's picture (layout's scrollImage)
    bool thumbHeld = false;
};

// The whole window into target, which is made view.size large: the frame,
// the scroll bar, the status and the rows. Every pixel is painted.
void PaintPlaylistWindow(const PlaylistSkin& skin, const PlaylistView& view, QImage& target);

// One part of a window painted before at view.size (else nothing happens).
// The rows: what a scroll step or a change of selection repaints.
QRect PaintPlaylistRows(const PlaylistSkin& skin, const PlaylistView& view, QImage& target);
// BottomRightImage with the two status texts.
QRect PaintPlaylistStatus(const PlaylistSkin& skin, const PlaylistView& view, QImage& target);
// The scroll bar and its thumb.
QRect PaintPlaylistScrollBar(const PlaylistSkin& skin, const PlaylistView& view, QImage& target);

} // namespace velmoro::skin
