#pragma once
// What the playlist window shows, worked out without a window: its rows and
// totals, the two status texts, where the scroll thumb sits, which row a drag
// on the scroll bar selects and how far the grip resizes the window.
#include "playlist/mpegaudiolist.h"
#include "playlist/playliststate.h"

#include <QPoint>
#include <QSize>
#include <QString>
#include <cstdint>

namespace velmoro::playlist {

// 64-bit: the bytes of a long list pass 2 GiB.
struct PlaylistTotals {
    std::int64_t seconds = 0;
    std::int64_t bytes = 0;
};

// Gives every entry the row template (which formats its Text) and sums the
// entries' durations and file lengths.
PlaylistTotals RefreshRows(TMPEGAudioList& list, const QString& rowTemplate);

// Row row as the window shows it: the entry's Text — for an address, the
// station's title from streamTitles once it is known, else the address —
// after "row+1." when the rows are numbered. Empty for a row outside the list.
QString RowText(const TMPEGAudioList& list, int row, bool numbered, const StreamTitles& streamTitles = {});

// "3/12 (41MB)": the current song's number, the count, and the whole MiB.
QString PositionStatus(int currentIndex, int count, std::int64_t totalBytes);
// "hh:nn" of the total as a time of day: the hours wrap at 24.
QString TimeStatus(std::int64_t totalSeconds);

// The top of the scroll thumb in the bar: the selected row's share of the
// bar less the thumb's margin; 0 with no selection and with no rows.
int ScrollThumbTop(int selectedRow, int rowCount, int barHeight);
// The row a drag on the scroll bar at y selects: one below the row at y's
// share of the bar, as the window always did, but never past the last row;
// −1 with no rows.
int ScrollBarRow(int y, int rowCount, int barHeight);

// The window's size while the grip is held with the cursor at cursor (both
// on screen): whole steps of 25 pixels from the window's top-left corner,
// each side taken only from 270 (width) and 345 (height) on.
QSize GripSize(QPoint cursor, QPoint topLeft, QSize current);

} // namespace velmoro::playlist
