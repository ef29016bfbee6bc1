#include "platform/threadpriority.h"

#include <gtest/gtest.h>

#include <thread>

using namespace velmoro::platform;

TEST(ThreadPriority, PositionsAndOnlyTheCallingThread)
{
    struct Case {
        int position;
        int niceness;
    } cases[] = {{0, -5}, {1, 19}, {2, 0}, {3, -10}, {-1, 0}, {4, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(GuiNicenessOfPosition(c.position), c.niceness) << c.position;

    const int before = CallingThreadNiceness();
    int inThread = 0;
    bool lowered = false;
    std::thread([&] {
        lowered = SetCallingThreadNiceness(before + 3);
        inThread = CallingThreadNiceness();
    }).join();
    EXPECT_TRUE(lowered); // a lower priority needs no privilege
    EXPECT_EQ(inThread, before + 3);
    EXPECT_EQ(CallingThreadNiceness(), before);
}
