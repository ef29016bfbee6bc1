#include "skin/playlistlayout.h"

namespace velmoro::skin {

namespace {

constexpr int kLeftBorderWidth = 12;
constexpr int kScrollBarWidth = 20;
constexpr QSize kClickArea(25, 33);
// The list box is this much wider than the window, so that its own scroll
// bar lies outside it; the frame's scroll bar covers the rest.
constexpr int kListOverhang = 20;

} // namespace

PlaylistLayout LayoutPlaylistWindow(QSize size)
{
    const int w = size.width();
    const int h = size.height();
    const int bottomTop = h - kPlaylistBottomHeight;
    const int middle = h - kPlaylistTitleHeight - kPlaylistBottomHeight;
    const int clickTop = bottomTop + 5;

    PlaylistLayout l;
    l.title = QRect(0, 0, 151, kPlaylistTitleHeight);
    l.titleBar = QRect(0, 0, w, kPlaylistTitleHeight);
    l.closeEnd = QRect(w - 25, 0, 25, kPlaylistTitleHeight);
    l.leftBorder = QRect(0, kPlaylistTitleHeight, kLeftBorderWidth, middle);
    l.rows = QRect(kLeftBorderWidth, kPlaylistTitleHeight, w + kListOverhang, middle)
                 .intersected(QRect(0, 0, w - kScrollBarWidth, h));
    l.scrollBar = QRect(w - kScrollBarWidth, kPlaylistTitleHeight, kScrollBarWidth, middle);
    l.scrollImage = QRect(w - kScrollBarWidth, kPlaylistTitleHeight, kScrollBarWidth, h);
    l.bottomBar = QRect(0, bottomTop, w, kPlaylistBottomHeight);
    l.bottomLeft = QRect(0, bottomTop, 125, kPlaylistBottomHeight);
    l.status = QRect(w - 150, bottomTop, 150, kPlaylistBottomHeight);
    l.grip = QRect(w - 33, h - 33, 33, 33);
    l.add = QRect(QPoint(8, clickTop), kClickArea);
    l.remove = QRect(QPoint(40, clickTop), kClickArea);
    l.select = QRect(QPoint(72, clickTop), kClickArea);
    l.misc = QRect(QPoint(104, clickTop), kClickArea);
    l.loadSave = QRect(QPoint(l.grip.left() - 25, clickTop), kClickArea);
    return l;
}

int PlaylistRowAt(const PlaylistLayout& layout, int topRow, QPoint p)
{
    if (!layout.rows.contains(p))
        return -1;
    return topRow + (p.y() - layout.rows.top()) / kPlaylistRowHeight;
}

} // namespace velmoro::skin
