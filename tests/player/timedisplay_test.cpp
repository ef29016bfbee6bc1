// The pure rules of the player window: the tick's arithmetic and the docking.
#include "player/docking.h"
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

TEST(Docking, SnapsToTheScreenEdgesWithinTheDistance)
{
    using player::SnapWindowToScreen;
    const QSize window(275, 116);
    const QSize screen(1280, 1024);
    const player::SnapRule on{true, 20};
    const QPoint grab(-10, -5);
    // The cursor puts the window's left edge 19 or 20 pixels from the left.
    EXPECT_EQ(SnapWindowToScreen({29, 505}, grab, window, screen, on), QPoint(0, 500));
    EXPECT_EQ(SnapWindowToScreen({30, 505}, grab, window, screen, on), QPoint(20, 500));
    EXPECT_EQ(SnapWindowToScreen({5, 3}, grab, window, screen, on), QPoint(-5, -2)); // partly off: no snap
    EXPECT_EQ(SnapWindowToScreen({10 + 1280 - 275 - 19, 5 + 1024 - 116 - 5}, grab, window, screen, on),
              QPoint(1280 - 275, 1024 - 116));
    EXPECT_EQ(SnapWindowToScreen({10 + 1280 - 275, 505}, grab, window, screen, on),
              QPoint(1280 - 275, 500)); // gap 0
    const player::SnapRule off{false, 20};
    EXPECT_EQ(SnapWindowToScreen({29, 505}, grab, window, screen, off), QPoint(19, 500));
    // A window wider than the snap band on a tiny screen: the right edge wins over the left.
    EXPECT_EQ(SnapWindowToScreen({15, 505}, grab, QSize(290, 116), QSize(300, 600), on), QPoint(10, 500));
}
