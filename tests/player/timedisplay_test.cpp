// The pure rules of the player window: the tick's arithmetic.
#include "player/timedisplay.h"

#include <gtest/gtest.h>

using namespace velmoro;

TEST(TimeDisplay, TextAndArithmetic)
{
    EXPECT_EQ(player::TimeDisplayText(200), "03 20");
    EXPECT_EQ(player::TimeDisplayText(65), "01 05");
    EXPECT_EQ(player::TimeDisplayText(6000), "100 00");
    EXPECT_EQ(player::TimeDisplayText(0), "00 00");
    // Bytes are counted in thousands before the division, as the tick does.
    EXPECT_EQ(player::ComputeTrackTime(88200 * 4, 176400 * 4, 4).elapsed, 1);
    const player::TrackTime t = player::ComputeTrackTime(2000000, 4000000, 4);
    EXPECT_TRUE(t.known);
    EXPECT_EQ(t.elapsed, 2);
    EXPECT_EQ(t.remaining, 2);
    EXPECT_EQ(t.positionBar, 128);
    EXPECT_EQ(player::ComputeTrackTime(500, 999, 10).known, false); // no division by a zero length
    EXPECT_EQ(player::ComputeTrackTime(1000, 1000, 10).positionBar, 256);
    // An hour-long track: the product of seconds and position needs more than 32 bits.
    const player::TrackTime hour = player::ComputeTrackTime(3000u * 176400, 3600u * 176400, 3600);
    EXPECT_EQ(hour.elapsed, 3000);
}

// The tick sleeps until the time or the position bar next changes: the wait
// it computes must never skip a change, and must reach the change it expects.
TEST(TimeDisplay, WaitUntilTheNextChange)
{
    constexpr std::uint32_t kBytesPerSecond = 176400;
    constexpr std::uint32_t kLength = 30 * kBytesPerSecond;
    const auto sameDisplay = [](const player::TrackTime& a, const player::TrackTime& b) {
        return a.elapsed == b.elapsed && a.positionBar == b.positionBar;
    };
    for (std::uint32_t position = 0; position + kBytesPerSecond < kLength; position += 1764) {
        const player::TrackTime now = player::ComputeTrackTime(position, kLength, 30);
        const std::int64_t wait = player::MsUntilDisplayChange(position, kLength, 30, kBytesPerSecond);
        ASSERT_GT(wait, 0) << position;
        const auto after = [&](std::int64_t ms) {
            return player::ComputeTrackTime(position + std::uint32_t(ms * kBytesPerSecond / 1000), kLength,
                                            30);
        };
        ASSERT_TRUE(wait < 2 || sameDisplay(after(wait - 2), now)) << position; // nothing skipped
        ASSERT_FALSE(sameDisplay(after(wait), now)) << position;                // and the change is there
    }
    // 135 s of 200: the bar steps before the second does.
    EXPECT_EQ(
        player::MsUntilDisplayChange(135 * kBytesPerSecond, 200 * kBytesPerSecond, 200, kBytesPerSecond),
        159);
    EXPECT_EQ(player::MsUntilDisplayChange(500, 999, 10, kBytesPerSecond), -1);        // no length
    EXPECT_EQ(player::MsUntilDisplayChange(0, kLength, 30, 0), -1);                    // no rate
    EXPECT_EQ(player::MsUntilDisplayChange(kLength, kLength, 0, kBytesPerSecond), -1); // at the end
}
