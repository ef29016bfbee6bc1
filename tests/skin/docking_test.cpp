// The drag rule every skinned window follows, on one screen and on the
// second of two side by side.
#include "skin/docking.h"

#include <gtest/gtest.h>

using namespace velmoro::skin;

TEST(Docking, SnapsToTheEdgesOfTheScreenItIsDraggedOn)
{
    const QSize player(275, 116);
    const QPoint grab(-10, -5);
    const SnapRule on{true, 20};
    const SnapRule off{false, 20};
    struct Case {
        const char* what;
        QRect screen;
        QPoint cursor;
        QSize window;
        SnapRule rule;
        QPoint placed;
    };
    const QRect first(0, 0, 1280, 1024);
    const QRect second(1280, 0, 1920, 1080); // right of the first
    const Case cases[] = {
        {"19 pixels from the left edge snaps", first, {29, 505}, player, on, {0, 500}},
        {"20 pixels stays", first, {30, 505}, player, on, {20, 500}},
        {"partly off the left and top: no snap", first, {5, 3}, player, on, {-5, -2}},
        {"near the right and bottom",
         first,
         {10 + 1280 - 275 - 19, 5 + 1024 - 116 - 5},
         player,
         on,
         {1280 - 275, 1024 - 116}},
        {"exactly at the right edge: the proposed place",
         first,
         {10 + 1280 - 275, 505},
         player,
         on,
         {1280 - 275, 500}},
        {"snap off follows the cursor", first, {29, 505}, player, off, {19, 500}},
        {"wider than the band on a tiny screen: the right edge wins",
         {0, 0, 300, 600},
         {15, 505},
         {290, 116},
         on,
         {10, 500}},
        {"the second screen's left edge", second, {1280 + 25, 505}, player, on, {1280, 500}},
        {"the second screen's right edge", second, {10 + 3200 - 275 - 7, 505}, player, on, {3200 - 275, 500}},
        {"below a top panel", {0, 30, 1280, 994}, {10 + 5, 5 + 40}, player, on, {0, 30}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SnapWindowToScreen(c.cursor, grab, c.window, c.screen, c.rule), c.placed) << c.what;
    EXPECT_EQ(CarriedPosition({300, 200}, {0, -116}), QPoint(300, 316));
}
