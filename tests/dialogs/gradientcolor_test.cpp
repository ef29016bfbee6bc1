// The about window's title colour and the counter that drives it.
#include "dialogs/gradientcolor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace velmoro::dialogs;

namespace {

QRgb Title(int p)
{
    return GradientColor(0x000000, 0xFFFF00, 0xFF0000, p, 123);
}

} // namespace

TEST(GradientColor, BlackThroughYellowTowardRed)
{
    struct Case {
        int p;
        QRgb expected;
    };
    const Case cases[] = {
        {-5, qRgb(0, 0, 0)},     // below 0: the first colour
        {0, qRgb(0, 0, 0)},      //
        {30, qRgb(124, 124, 0)}, // 60/123 of 255 is 124.39
        {61, qRgb(253, 253, 0)}, // 122/123 of the way: 252.93 rounds to 253
        {62, qRgb(255, 251, 0)}, // the second segment starts again from yellow
        {105, qRgb(255, 73, 0)}, // 88/123 of the way to red: 182.4 off
        {123, qRgb(255, 0, 0)},  //
        {200, qRgb(255, 0, 0)},  // past n: the last colour
    };
    for (const Case& c : cases)
        EXPECT_EQ(Title(c.p), c.expected) << c.p;
}

TEST(GradientColor, OneSegmentWhenTheFirstTwoAreEqualAndHalvesRoundToEven)
{
    EXPECT_EQ(GradientColor(0x000000, 0x000000, 0xFFFFFF, 50, 100), qRgb(128, 128, 128)); // 127.5 → 128
    EXPECT_EQ(GradientColor(0x000000, 0x000000, 0x0000FF, 100, 100), qRgb(0, 0, 255));
    // 0.5 × 5 = 2.5 rounds to 2, its even neighbour; 0.5 × 7 = 3.5 to 4.
    EXPECT_EQ(GradientColor(0x000000, 0x000000, 0x050700, 50, 100), qRgb(2, 4, 0));
}

TEST(TitleFade, SwingsBetweenMinusFiveAndOneHundredFive)
{
    TitleFade fade;
    std::vector<int> counters;
    for (int i = 0; i < 70; ++i) {
        fade.Step();
        counters.push_back(fade.Counter());
    }
    EXPECT_EQ(counters.front(), 5);
    EXPECT_EQ(counters[20], 105); // up past 100 once
    EXPECT_EQ(counters[21], 100); // then down
    EXPECT_EQ(counters[42], -5);  // below 0 once
    EXPECT_EQ(counters[43], 0);   // then up again
    EXPECT_EQ(*std::min_element(counters.begin(), counters.end()), -5);
    EXPECT_EQ(*std::max_element(counters.begin(), counters.end()), 105);

    // Shown again while falling: it climbs from where it stood.
    TitleFade shown;
    for (int i = 0; i < 25; ++i)
        shown.Step();
    ASSERT_EQ(shown.Counter(), 85);
    shown.StartClimbing();
    EXPECT_EQ(shown.Step(), Title(90));
    EXPECT_EQ(shown.Counter(), 90);
}
