#include "audio/gain.h"

#include <gtest/gtest.h>

using namespace velmoro::audio;

TEST(Gain, VolumeCurves)
{
    EXPECT_EQ(VolumeGain(0, false), 0);
    EXPECT_EQ(VolumeGain(0, true), 0);
    EXPECT_EQ(VolumeGain(100, true), 1);
    EXPECT_FLOAT_EQ(VolumeGain(25, false), 0.25f);
    EXPECT_NEAR(20 * std::log10(VolumeGain(50, true)), -20, 1e-4);
    EXPECT_NEAR(20 * std::log10(VolumeGain(99, true)), -0.4, 1e-4);
    EXPECT_EQ(VolumeGain(-5, false), 0);
    EXPECT_EQ(VolumeGain(300, false), 1);
}

TEST(Gain, PanIsABalanceWithAConstantPowerFarSide)
{
    EXPECT_EQ(PanGains(0, false), (StereoGain{1, 1}));
    EXPECT_NEAR(PanGains(-100, false).right, 0, 1e-6);
    EXPECT_EQ(PanGains(-100, false).left, 1);
    EXPECT_NEAR(PanGains(100, false).left, 0, 1e-6);
    EXPECT_NEAR(PanGains(50, false).left, 0.70710678, 1e-6);
    EXPECT_EQ(PanGains(50, false).right, 1);
    EXPECT_NEAR(PanGains(-50, true).right, 0.5, 1e-6);
    EXPECT_EQ(PanGains(500, false), PanGains(100, false));
}
