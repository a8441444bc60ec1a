#include "platform/testing/manual_clock.h"

#include <gtest/gtest.h>

TEST(Clock, ManualClockWrapsLikeA32BitCounter)
{
    ManualClock clock(0xFFFFFFF0u);
    clock.sleep(0x10);
    EXPECT_EQ(clock.milliseconds(), 0u);
    clock.advance(5);
    EXPECT_EQ(clock.milliseconds(), 5u);
}
