// What the playlist window shows: rows, totals, status texts, the scroll bar
// and the grip.
#include "playlist/playlistview.h"

#include <gtest/gtest.h>

using namespace velmoro::playlist;

namespace {

TEST(PlaylistView, StatusTexts)
{
    EXPECT_EQ(PositionStatus(2, 12, 43'000'000), "3/12 (41MB)");
    EXPECT_EQ(PositionStatus(0, 0, 1048575), "1/0 (0MB)");
    EXPECT_EQ(PositionStatus(9, 100'000, 3LL << 30), "10/100000 (3072MB)");
    const struct {
        std::int64_t seconds;
        const char* text;
    } times[] = {
        {3725, "01:02"}, {90000, "01:00"}, {0, "00:00"}, {86399, "23:59"}, {4'000'000'000LL, "07:06"}};
    for (const auto& t : times)
        EXPECT_EQ(TimeStatus(t.seconds), t.text) << t.seconds;
}

TEST(PlaylistView, ScrollThumbAndDraggedRow)
{
    const struct {
        int selected, rows, bar, top;
    } thumbs[] = {{-1, 10, 108, 0}, {0, 0, 108, 0},   {3, 0, 108, 0},
                  {5, 10, 108, 50}, {9, 10, 108, 90}, {1, 3, 108, 33}};
    for (const auto& t : thumbs)
        EXPECT_EQ(ScrollThumbTop(t.selected, t.rows, t.bar), t.top) << t.selected << " of " << t.rows;

    const struct {
        int y, rows, bar, row;
    } drags[] = {
        {0, 0, 100, -1},   // no rows
        {0, 10, 100, 1},   // one below the row at the top
        {55, 10, 100, 6},  //
        {99, 10, 100, 9},  // the last row stays the last
        {400, 10, 100, 9}, // below the bar
        {-30, 10, 100, 1}, // above it
        {0, 1, 100, 0},    // one row
        {50, 10, 0, 9},    // a bar with no height
    };
    for (const auto& d : drags)
        EXPECT_EQ(ScrollBarRow(d.y, d.rows, d.bar), d.row) << d.y << " of " << d.rows;
}

TEST(PlaylistView, GripResizesInStepsOf25FromTheMinimum)
{
    const QSize start(431, 320);
    const struct {
        QPoint cursor, topLeft;
        QSize size;
    } grips[] = {
        {{301, 360}, {0, 0}, {300, 350}},        {{260, 400}, {0, 0}, {431, 400}}, // only the height
        {{1310, 1060}, {1000, 700}, {300, 350}},                                   // from the window's corner
        {{269, 344}, {0, 0}, {431, 320}},   // 250 x 325: both too small
        {{-400, -400}, {0, 0}, {431, 320}}, // left of and above the window
        {{275, 370}, {0, 0}, {275, 350}},
    };
    for (const auto& g : grips)
        EXPECT_EQ(GripSize(g.cursor, g.topLeft, start), g.size) << g.cursor.x() << "," << g.cursor.y();
}

TEST(PlaylistView, RefreshFormatsEveryRowAndSumsPast2GiB)
{
    TMPEGAudioList list;
    for (const char* title : {"uno", "due", "tre"}) {
        TMPEGAudioData d;
        d.Header = "TAG";
        d.Title = title;
        d.Duration = 65535;
        d.FileLength = 0x7FFFFFFF;
        d.FileName = QStringLiteral("/music/%1.mp3").arg(title);
        list.AddRecord(d);
    }
    const PlaylistTotals totals = RefreshRows(list, "%T,T% - %D,T%");
    EXPECT_EQ(totals.seconds, 3 * 65535);
    EXPECT_EQ(totals.bytes, 3 * std::int64_t(0x7FFFFFFF));
    EXPECT_EQ(list.Items(1).Macro(), "%T,T% - %D,T%");
    EXPECT_EQ(RowText(list, 2, false), "tre - 65535");
    EXPECT_EQ(RowText(list, 2, true), "3.tre - 65535");
    EXPECT_EQ(RowText(list, 3, true), "");
    EXPECT_EQ(RowText(list, -1, false), "");

    list.Items(0).SetTitle("zero");
    RefreshRows(list, "%T,T%");
    EXPECT_EQ(RowText(list, 0, true), "1.zero");
    TMPEGAudioList empty;
    EXPECT_EQ(RefreshRows(empty, "%T%").bytes, 0);
}

} // namespace
