// The playlist window painted from a coordinate skin: which cell of
// pledit.bmp and text.bmp lands where at several sizes, and the rows in the
// colours of pledit.txt.
#include "skincraft.h"

#include "skin/playlistpainter.h"
#include "skin/skindirectory.h"
#include "skin/spritecanvas.h"

#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <vector>

using namespace velmoro::skin;
using namespace velmoro::test;

namespace {

struct Sprite {
    QRect to;
    QRect from;
    QRect visible; // null: all of `to`
};

// Copies of cell every `step` from origin, as far as they show in visible.
void AddTiles(std::vector<Sprite>& sprites, QPoint origin, QRect visible, QRect cell, QPoint step)
{
    for (QPoint at = origin; at.x() <= visible.right() && at.y() <= visible.bottom(); at += step)
        if (visible.intersects(QRect(at, cell.size())))
            sprites.push_back({QRect(at, cell.size()), cell, visible});
}

// Everything of the frame that shows at size w x h with the thumb at t.
std::vector<Sprite> FrameSprites(int w, int h, int t, bool held)
{
    const QRect bar(w - 20, 20, 20, h - 58);
    const QRect thumb(w - 15, 20 + t, 8, 18);
    std::vector<Sprite> s = {
        {{0, 0, 25, 20}, {0, 0, 25, 20}, {}},
        {{25, 0, 101, 20}, {26, 0, 100, 20}, {}}, // one pixel wider than its cell
        {{126, 0, 25, 20}, {127, 0, 25, 20}, {}},
        {{w - 25, 0, 25, 20}, {153, 0, 25, 20}, {}},
        {{0, h - 38, 125, 38}, {0, 72, 125, 38}, {}},
        // Above and below the status texts.
        {{w - 150, h - 38, 150, 38}, {126, 72, 150, 38}, {w - 150, h - 38, 150, 10}},
        {{w - 150, h - 38, 150, 38}, {126, 72, 150, 38}, {w - 150, h - 10, 150, 10}},
        {thumb, {held ? 61 : 52, 53, 9, 18}, bar},
    };
    AddTiles(s, {0, 0}, {151, 0, w - 176, 20}, {127, 0, 25, 20}, {25, 0});
    AddTiles(s, {0, 20}, {0, 20, 12, h - 58}, {0, 42, 12, 29}, {0, 29});
    AddTiles(s, {0, h - 38}, {125, h - 38, w - 275, 38}, {179, 0, 25, 38}, {25, 0});
    // The scroll bar's tiles above and below the thumb.
    AddTiles(s, {w - 20, 20}, bar.intersected({w - 20, 20, 20, t}), {31, 42, 20, 29}, {0, 29});
    AddTiles(s, {w - 20, 20}, bar.intersected({w - 20, thumb.bottom() + 1, 20, h}), {31, 42, 20, 29},
             {0, 29});
    return s;
}

class PlaylistSkinTest : public testing::Test {
protected:
    void SetUp() override { UseColours({}); }

    void UseColours(const QByteArray& colours)
    {
        WriteCoordPlaylistSkin(m_dir.path(), colours);
        if (colours.isNull())
            QFile::remove(m_dir.filePath(QStringLiteral("pledit.txt")));
        m_skin.Load(SkinDirectory(m_dir.path()));
    }

    // The colours painted in row r (of those shown, from the top).
    QSet<QRgb> RowColours(int r) const
    {
        QSet<QRgb> colours;
        for (int y = 20 + 13 * r; y < 33 + 13 * r; ++y)
            for (int x = 12; x < m_view.size.width() - 20; ++x)
                colours.insert(m_image.pixel(x, y));
        return colours;
    }

    QTemporaryDir m_dir;
    PlaylistSkin m_skin;
    PlaylistView m_view;
    QImage m_image;
};

TEST_F(PlaylistSkinTest, FramePiecesAtEverySize)
{
    struct Case {
        QSize before; // painted first, at another size: a resize
        QSize size;
        int thumbTop;
        bool held;
    };
    const Case cases[] = {
        {{}, {275, 350}, 0, false},
        {{}, {431, 320}, 37, true},
        {{431, 320}, {300, 375}, 200, false},
        {{300, 375}, {431, 320}, 300, true}, // the thumb hides under the bottom bar
    };
    for (const Case& c : cases) {
        if (c.before.isValid()) {
            m_view.size = c.before;
            PaintPlaylistWindow(m_skin, m_view, m_image);
        }
        m_view.size = c.size;
        m_view.thumbTop = c.thumbTop;
        m_view.thumbHeld = c.held;
        m_view.positionStatus = QStringLiteral("3/12 (41MB)");
        m_view.timeStatus = QStringLiteral("01:02");
        PaintPlaylistWindow(m_skin, m_view, m_image);
        ASSERT_EQ(m_image.size(), c.size);
        const int w = c.size.width();
        const int h = c.size.height();
        for (const Sprite& s : FrameSprites(w, h, c.thumbTop, c.held)) {
            const QRect visible = s.visible.isNull() ? s.to : s.visible.intersected(s.to);
            if (visible.isEmpty())
                continue;
            EXPECT_TRUE(ShowsCoords(m_image, s.to, kPleditId, s.from, visible))
                << w << "x" << h << " at " << s.to.x() << "," << s.to.y();
        }
        // The status texts in the skin font: "3/12 (41MB)" at (7, 10), "01:02" at (72, 22).
        const QPoint cells[] = {{15, 6}, {105, 6}, {5, 6},  {10, 6}, {142, 0}, {65, 6}, {20, 6}, {5, 6},
                                {60, 0}, {5, 0},   {70, 6}, {0, 6},  {5, 6},   {60, 6}, {0, 6},  {10, 6}};
        for (int k = 0; k < 16; ++k) {
            const QPoint at =
                k < 11 ? QPoint(w - 143 + 5 * k, h - 28) : QPoint(w - 78 + 5 * (k - 11), h - 16);
            EXPECT_TRUE(ShowsCoords(m_image, {at, QSize(5, 6)}, kTextId, {cells[k], QSize(5, 6)})) << k;
        }
        // An empty list: the rows area in the list's colour, black by default.
        EXPECT_EQ(RowColours(0), QSet<QRgb>{qRgb(0, 0, 0)});
    }
}

TEST_F(PlaylistSkinTest, TilesStopWhereTheScreenSizedPicturesEnded)
{
    m_view.size = QSize(2600, 360);
    PaintPlaylistWindow(m_skin, m_view, m_image);
    EXPECT_TRUE(ShowsCoords(m_image, {2500, 0, 25, 20}, kPleditId, {127, 0, 25, 20})); // the 101st tile
    EXPECT_EQ(qAlpha(m_image.pixel(2540, 5)), 0);
    EXPECT_TRUE(ShowsCoords(m_image, {2575, 0, 25, 20}, kPleditId, {153, 0, 25, 20}));
}

TEST_F(PlaylistSkinTest, ColoursFromPleditTxt)
{
    struct Case {
        QByteArray file; // null: no pledit.txt
        PlaylistColors want;
    };
    const Case cases[] = {
        {{}, {qRgb(0, 255, 0), qRgb(255, 255, 255), qRgb(0, 0, 255), qRgb(0, 0, 0), "Arial"}},
        {"[Text]\r\nNormal=#FF0000\r\n",
         {qRgb(255, 0, 0), qRgb(255, 255, 255), qRgb(0, 0, 255), qRgb(0, 0, 0), "Arial"}},
        {"[text]\nnormalbg=#0000\ncurrent = #123456\nSelectedBG=#ab#x9z\nNormalBG=#FFFFFF\nFont=DejaVu "
         "Sans\n",
         {qRgb(0, 255, 0), qRgb(0x12, 0x34, 0x56), qRgb(0xAB, 0, 0x90), qRgb(0, 0, 0), "DejaVu Sans"}},
    };
    for (const Case& c : cases) {
        UseColours("[Text]\nNormal=#010101\nCurrent=#010101\n"); // whatever came before is forgotten
        UseColours(c.file);
        EXPECT_EQ(m_skin.Colors(), c.want) << c.file.constData();
        EXPECT_EQ(m_skin.RowFont().pixelSize(), 9);
    }
}

TEST_F(PlaylistSkinTest, MissingOrBrokenPicturesKeepThePreviousOnes)
{
    const QImage frame = m_skin.Frame();
    const QImage font = m_skin.Font();
    QTemporaryDir other;
    WriteFile(other.filePath(QStringLiteral("PLEDIT.BMP")), "BM not really");
    m_skin.Load(SkinDirectory(other.path()));
    EXPECT_EQ(m_skin.Frame(), frame);
    EXPECT_EQ(m_skin.Font(), font);
    EXPECT_EQ(DecodeCoord(m_skin.Frame().pixel(3, 4)), (Coord{kPleditId, 3, 4}));
    EXPECT_NE(PlaylistSkin().Frame(), frame); // the built-in picture
}

TEST_F(PlaylistSkinTest, RowsInTheirStateColours)
{
    UseColours("[Text]\nNormal=#FF0000\nCurrent=#405060\nSelectedBG=#708090\nNormalBG=#0A0B0C\n");
    const QRgb normal = qRgb(255, 0, 0), current = qRgb(0x40, 0x50, 0x60),
               selectedBg = qRgb(0x70, 0x80, 0x90), normalBg = qRgb(10, 11, 12), selectedText = qRgb(1, 2, 3);
    struct Row {
        bool marked;
        QSet<QRgb> colours;
    };
    // From row 1: row 4 is current (and marked), row 6 selected, row 9 has no text.
    const Row rows[] = {
        {false, {normalBg, normal}},   {true, {selectedBg, normal}}, {false, {normalBg, normal}},
        {true, {selectedBg, current}}, {false, {normalBg, normal}},  {false, {selectedBg, selectedText}},
        {true, {selectedBg, normal}},  {false, {normalBg, normal}},  {false, {normalBg}},
    };
    m_view.rowCount = 10;
    m_view.topRow = 1;
    m_view.rowText = [](int row) { return row == 9 ? QString() : QStringLiteral("MWMWMW %1").arg(row); };
    m_view.marked = [&](int row) { return row >= 1 && rows[row - 1].marked; };
    m_view.currentRow = 4;
    m_view.selectedRow = 6;
    m_view.selectedTextColor = selectedText;
    PaintPlaylistWindow(m_skin, m_view, m_image);
    for (int r = 0; r < 9; ++r)
        EXPECT_EQ(RowColours(r), rows[r].colours) << "row " << r + 1;
    EXPECT_EQ(RowColours(10), QSet<QRgb>{normalBg}); // past the end of the list

    m_view.currentRow = 6;
    PaintPlaylistRows(m_skin, m_view, m_image);
    EXPECT_EQ(RowColours(5), (QSet<QRgb>{selectedBg, current}));

    // The focus frame inverts every other pixel of the selected row's edges.
    m_view.selectedRow = 9;
    m_view.focusOnSelected = true;
    PaintPlaylistRows(m_skin, m_view, m_image);
    const int top = 20 + 13 * 8;
    const QRgb inverted = qRgb(255 - 0x70, 255 - 0x80, 255 - 0x90);
    EXPECT_EQ(m_image.pixel(12, top), inverted);
    EXPECT_EQ(m_image.pixel(13, top), selectedBg);
    EXPECT_EQ(m_image.pixel(12, top + 12), inverted);
    EXPECT_EQ(m_image.pixel(13, top + 12), selectedBg);
    EXPECT_EQ(m_image.pixel(12, top + 1), selectedBg);
    EXPECT_EQ(m_image.pixel(13, top + 6), selectedBg);
}

TEST_F(PlaylistSkinTest, OnlyTheRowsThatShowAreAsked)
{
    std::vector<int> asked;
    m_view.rowCount = 100000;
    m_view.topRow = 50000;
    m_view.rowText = [&](int row) {
        asked.push_back(row);
        return QStringLiteral("riga");
    };
    PaintPlaylistWindow(m_skin, m_view, m_image);
    ASSERT_EQ(asked.size(), 21u); // 262 pixels: 20 rows and part of one
    EXPECT_EQ(asked.front(), 50000);
    EXPECT_EQ(asked.back(), 50020);
}

TEST_F(PlaylistSkinTest, PartsRepaintOnlyTheirRectangle)
{
    using Part = QRect (*)(const PlaylistSkin&, const PlaylistView&, QImage&);
    struct Case {
        Part paint;
        QRect rect;
    };
    const Case cases[] = {
        {PaintPlaylistRows, {12, 20, 399, 262}},
        {PaintPlaylistStatus, {281, 282, 150, 38}},
        {PaintPlaylistScrollBar, {411, 20, 20, 262}},
    };
    const QRgb marker = qRgb(1, 2, 3);
    for (const Case& c : cases) {
        QImage painted = NewWindowImage(m_view.size);
        painted.fill(marker);
        m_view.rowCount = 3;
        m_view.rowText = [](int) { return QStringLiteral("uno due tre"); };
        m_view.selectedRow = 1;
        m_view.thumbTop = 250; // reaches past the bar's visible end
        m_view.positionStatus = QStringLiteral("2/3 (0MB)");
        EXPECT_EQ(c.paint(m_skin, m_view, painted), c.rect);
        for (int y = 0; y < painted.height(); ++y)
            for (int x = 0; x < painted.width(); ++x)
                ASSERT_EQ(c.rect.contains(x, y), painted.pixel(x, y) != marker) << x << "," << y;
    }

    // A view past its list's end, or of another size than the picture.
    QImage image = NewWindowImage(m_view.size);
    m_view.topRow = 4;
    EXPECT_DEBUG_DEATH(PaintPlaylistRows(m_skin, m_view, image), "top >= 0");
    m_view.topRow = 0;
    m_view.size = QSize(500, 400);
    EXPECT_DEBUG_DEATH(EXPECT_TRUE(PaintPlaylistStatus(m_skin, m_view, image).isNull()), "target.size");
}

TEST(PlaylistLayoutTest, FollowsTheWindowSize)
{
    const PlaylistLayout l = LayoutPlaylistWindow({431, 320});
    EXPECT_EQ(l.title, QRect(0, 0, 151, 20));
    EXPECT_EQ(l.closeEnd, QRect(406, 0, 25, 20));
    EXPECT_EQ(l.scrollImage, QRect(411, 20, 20, 320));
    EXPECT_EQ(l.grip, QRect(398, 287, 33, 33));
    const QRect areas[] = {l.add, l.remove, l.select, l.misc, l.loadSave};
    const int lefts[] = {8, 40, 72, 104, 373};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(areas[i], QRect(lefts[i], 287, 25, 33)) << i;

    struct Hit {
        QPoint p;
        int row;
    };
    const Hit hits[] = {{{12, 20}, 7},  {{410, 32}, 7},  {{100, 33}, 8},  {{100, 281}, 27},
                        {{11, 25}, -1}, {{411, 25}, -1}, {{100, 19}, -1}, {{100, 282}, -1}};
    for (const Hit& h : hits)
        EXPECT_EQ(PlaylistRowAt(l, 7, h.p), h.row) << h.p.x() << "," << h.p.y();
}

} // namespace
