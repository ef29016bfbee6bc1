#include "skin/playlistpainter.h"

#include "platform/verify.h"
#include "skin/blit.h"
#include "skin/skingeometry.h"
#include "skin/spritecanvas.h"

#include <QPainter>

#include <algorithm>

namespace velmoro::skin {

namespace {

// Cells of pledit.bmp.
constexpr QRect kTitleLeftCell = Span(0, 0, 25, 20);
constexpr QRect kTitleMiddleCell = Span(26, 0, 126, 20);
constexpr QRect kTitleRightCell = Span(127, 0, 152, 20);
constexpr QRect kTitleFillCell = Span(127, 0, 152, 20);
constexpr QRect kCloseEndCell = Span(153, 0, 178, 20);
constexpr QRect kLeftBorderCell = Span(0, 42, 12, 71);
constexpr QRect kScrollBarCell = Span(31, 42, 51, 71);
constexpr QRect kBottomFillCell = Span(179, 0, 204, 38);
constexpr QRect kBottomLeftCell = Span(0, 72, 125, 110);
constexpr QRect kStatusCell = Span(126, 72, 276, 110);
constexpr QRect kThumbCell = Span(52, 53, 61, 71);
constexpr QRect kHeldThumbCell = Span(61, 53, 70, 71);

// Where the pieces go inside their element; the thumb is one pixel narrower
// than its cell and the title's middle one wider, both stretched.
constexpr QRect kTitleMiddle = Span(25, 0, 126, 20);
constexpr QRect kTitleRight = Span(126, 0, 151, 20);
constexpr int kThumbLeft = 5;
constexpr QSize kThumbSize(8, 18);
constexpr QPoint kPositionStatusAt(7, 10);
constexpr QPoint kTimeStatusAt(72, 22);

// The frame's pictures were drawn once at screen size with this many tiles;
// a window wider or taller than that shows nothing past them.
constexpr int kTileCopies = 101;

// One element of the window (an image of the form), painted in its own
// coordinates and cut at its edges, as a picture clipped by its control.
class Element {
public:
    Element(QImage& target, QRect area)
    {
        const QRect shown = area.intersected(target.rect());
        if (shown.isEmpty())
            return;
        // A view sharing the target's pixels: the blits clip at its edges.
        m_view = QImage(target.bits() + qsizetype(shown.top()) * target.bytesPerLine() + shown.left() * 4,
                        shown.width(), shown.height(), target.bytesPerLine(), target.format());
        m_origin = area.topLeft() - shown.topLeft();
        m_size = area.size();
    }

    void Piece(const QImage& sheet, QRect to, QRect from)
    {
        Blit(m_view, to.translated(m_origin), sheet, from);
    }

    void Tile(const QImage& sheet, QRect cell, QPoint step)
    {
        for (int i = 0; i < kTileCopies; ++i) {
            const QPoint at = step * i;
            if (at.x() >= m_size.width() || at.y() >= m_size.height())
                break;
            Piece(sheet, QRect(at, cell.size()), cell);
        }
    }

    void Text(const QImage& font, QPoint at, const QString& text)
    {
        DrawSkinText(font, m_view, m_origin.x() + at.x(), m_origin.y() + at.y(), text);
    }

    QImage& View() { return m_view; }
    QPoint Origin() const { return m_origin; }

private:
    QImage m_view;
    QPoint m_origin;
    QSize m_size;
};

// One element of a window painted before at view.size; the rectangle changed.
template <typename Paint>
QRect PaintElement(const PlaylistView& view, QImage& target, QRect PlaylistLayout::*element, Paint paint)
{
    VELMORO_VERIFY_OR_DEBUG_ASSERT(target.size() == view.size)
    {
        return {};
    }
    const QRect area = LayoutPlaylistWindow(view.size).*element;
    Element shown(target, area);
    if (shown.View().isNull())
        return {};
    paint(shown);
    return area.intersected(target.rect());
}

void PaintFrame(const QImage& sheet, const PlaylistLayout& layout, QImage& target)
{
    Element(target, layout.titleBar).Tile(sheet, kTitleFillCell, {25, 0});
    Element title(target, layout.title);
    title.Piece(sheet, kTitleLeftCell.translated(-kTitleLeftCell.topLeft()), kTitleLeftCell);
    title.Piece(sheet, kTitleMiddle, kTitleMiddleCell);
    title.Piece(sheet, kTitleRight, kTitleRightCell);
    Element(target, layout.closeEnd).Piece(sheet, QRect(QPoint(), kCloseEndCell.size()), kCloseEndCell);
    Element(target, layout.leftBorder).Tile(sheet, kLeftBorderCell, {0, 29});
    Element(target, layout.bottomBar).Tile(sheet, kBottomFillCell, {25, 0});
    Element(target, layout.bottomLeft).Piece(sheet, QRect(QPoint(), kBottomLeftCell.size()), kBottomLeftCell);
}

// The dotted frame of a focused row: every other pixel of its edges
// inverted, as the platform's focus rectangle is drawn.
void InvertDotted(QImage& image, QRect frame)
{
    const auto invert = [&](int x, int y) {
        if (image.rect().contains(x, y) && (x + y) % 2 == 0) {
            auto* pixel = reinterpret_cast<QRgb*>(image.scanLine(y)) + x;
            *pixel ^= 0x00FFFFFFu;
        }
    };
    for (int x = frame.left(); x <= frame.right(); ++x) {
        invert(x, frame.top());
        invert(x, frame.bottom());
    }
    for (int y = frame.top() + 1; y < frame.bottom(); ++y) {
        invert(frame.left(), y);
        invert(frame.right(), y);
    }
}

} // namespace

void PaintPlaylistWindow(const PlaylistSkin& skin, const PlaylistView& view, QImage& target)
{
    if (target.size() != view.size || target.format() != QImage::Format_ARGB32_Premultiplied)
        target = NewWindowImage(view.size);
    else
        target.fill(Qt::transparent);
    const PlaylistLayout layout = LayoutPlaylistWindow(view.size);
    PaintFrame(skin.Frame(), layout, target);
    PaintPlaylistStatus(skin, view, target);
    PaintPlaylistScrollBar(skin, view, target);
    PaintPlaylistRows(skin, view, target);
}

QRect PaintPlaylistRows(const PlaylistSkin& skin, const PlaylistView& view, QImage& target)
{
    return PaintElement(view, target, &PlaylistLayout::rows, [&](Element& list) {
        QImage& area = list.View();
        const PlaylistColors& colors = skin.Colors();
        FillRect(area, area.rect(), colors.normalBg);
        int top = view.topRow;
        VELMORO_VERIFY_OR_DEBUG_ASSERT(top >= 0 && top <= std::max(view.rowCount, 0))
        {
            top = std::clamp(top, 0, std::max(view.rowCount, 0));
        }
        QPainter painter(&area);
        painter.setFont(skin.RowFont());
        const int ascent = painter.fontMetrics().ascent();
        // A row reaches as far right as the list box, past the visible area.
        const int rowWidth = view.size.width() + 20;
        QRect focus;
        for (int row = top, y = list.Origin().y(); row < view.rowCount && y < area.height();
             ++row, y += kPlaylistRowHeight) {
            const QRect rect(list.Origin().x(), y, rowWidth, kPlaylistRowHeight);
            const bool selected = row == view.selectedRow;
            const bool current = row == view.currentRow;
            painter.setClipRect(rect);
            if (selected || (view.marked && view.marked(row)))
                painter.fillRect(rect, QColor(colors.selectedBg));
            painter.setPen(QColor(current    ? colors.current
                                  : selected ? view.selectedTextColor
                                             : colors.normal));
            painter.drawText(QPoint(rect.left(), rect.top() + ascent),
                             view.rowText ? view.rowText(row) : QString());
            if (selected && view.focusOnSelected)
                focus = rect;
        }
        painter.end();
        if (!focus.isNull())
            InvertDotted(area, focus);
    });
}

QRect PaintPlaylistStatus(const PlaylistSkin& skin, const PlaylistView& view, QImage& target)
{
    return PaintElement(view, target, &PlaylistLayout::status, [&](Element& status) {
        status.Piece(skin.Frame(), QRect(QPoint(), kStatusCell.size()), kStatusCell);
        status.Text(skin.Font(), kPositionStatusAt, view.positionStatus);
        status.Text(skin.Font(), kTimeStatusAt, view.timeStatus);
    });
}

QRect PaintPlaylistScrollBar(const PlaylistSkin& skin, const PlaylistView& view, QImage& target)
{
    return PaintElement(view, target, &PlaylistLayout::scrollBar, [&](Element& bar) {
        bar.Tile(skin.Frame(), kScrollBarCell, {0, 29});
        bar.Piece(skin.Frame(), QRect(QPoint(kThumbLeft, view.thumbTop), kThumbSize),
                  view.thumbHeld ? kHeldThumbCell : kThumbCell);
    });
}

} // namespace velmoro::skin
