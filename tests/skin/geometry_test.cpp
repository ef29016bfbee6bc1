// Value mappings and rounding of the main window, without a display.
#include "skin/skingeometry.h"

#include <gtest/gtest.h>

using namespace velmoro::skin;

namespace {

TEST(GeometryTest, RoundingTakesHalvesToTheEvenNeighbour)
{
    EXPECT_EQ(RoundDiv(5, 2), 2);
    EXPECT_EQ(RoundDiv(7, 2), 4);
    EXPECT_EQ(RoundDiv(-5, 2), -2);
    EXPECT_EQ(RoundDiv(-7, 2), -4);
    EXPECT_EQ(RoundDiv(-8, 3), -3);
    EXPECT_EQ(RoundDiv(8, 3), 3);
    EXPECT_EQ(MeterLength(25), 38); // 38.5
    EXPECT_EQ(MeterLength(50), 77);
    EXPECT_EQ(BalanceFrame(25), 14); // 13.5
    EXPECT_EQ(BalanceFrame(75), 14);
    // The thumbs' hit areas: round(0.7 x 5) = 4, round(230 x 64 / 256) = 58.
    EXPECT_TRUE(OnVolumeThumb({112, 60}, 5));
    EXPECT_FALSE(OnVolumeThumb({111, 60}, 5));
    EXPECT_TRUE(OnPositionThumb({77, 80}, 64));
    EXPECT_FALSE(OnPositionThumb({76, 80}, 64));
}

TEST(GeometryTest, SliderMappingsAtTheirEnds)
{
    EXPECT_EQ(VolumeAt(104), 0);
    EXPECT_EQ(VolumeAt(105), 1);
    EXPECT_EQ(VolumeAt(140), 51);
    EXPECT_EQ(VolumeAt(171), 96);
    EXPECT_EQ(VolumeAt(172), 100);
    EXPECT_EQ(BalanceAt(177), 0);
    EXPECT_EQ(BalanceAt(196), 50);
    EXPECT_EQ(BalanceAt(215), 100);
    EXPECT_EQ(BalanceAt(216), 100);
    EXPECT_EQ(VolumeFrame(4), 1);
    EXPECT_EQ(VolumeFrame(100), 27);
    // The thumbs travel from one end of their bars to the other, unstretched.
    EXPECT_EQ(PositionThumbRect(1), QRect(16, 72, 29, 10));
    EXPECT_EQ(PositionThumbRect(256), QRect(235, 72, 29, 10));
    EXPECT_EQ(VolumeThumbRect(0), QRect(107, 58, 14, 11));
    EXPECT_EQ(VolumeThumbRect(100), QRect(161, 58, 14, 11));
    EXPECT_EQ(BalanceThumbRect(0), QRect(177, 58, 14, 11));
    EXPECT_EQ(BalanceThumbRect(100), QRect(201, 58, 14, 11));
}

TEST(GeometryTest, OverlappingHitAreasGoToTheLaterTest)
{
    EXPECT_EQ(ButtonAt({41, 95}), 1); // both bounds excluded: 41 is still previous
    EXPECT_EQ(ButtonAt({42, 95}), 2);
    EXPECT_EQ(ButtonAt({210, 95}), 7);  // shuffle, not yet repeat (210 excluded)
    EXPECT_EQ(ButtonAt({211, 95}), 8);  // both: repeat wins
    EXPECT_EQ(ButtonAt({210, 104}), 7); // repeat's area ends a row higher
    EXPECT_EQ(ButtonAt({242, 63}), 0);  // the border between the toggles is in neither
    EXPECT_EQ(ButtonAt({10, 95}), 0);
    EXPECT_EQ(TitleButtonAt({10, 7}), 1);
    EXPECT_EQ(TitleButtonAt({253, 7}), 0);
    EXPECT_EQ(TitleButtonAt({258, 7}), 4);
}

} // namespace
