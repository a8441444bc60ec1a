#include "music/uniform_random_source.h"

#include "platform/testing/manual_clock.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

std::vector<int> draws(UniformRandomSource& source, int n, int count)
{
    std::vector<int> result;
    for (int i = 0; i < count; ++i)
        result.push_back(source.Random(n));
    return result;
}

TEST(UniformRandomSource, IsSeededOnceFromTheClock)
{
    ManualClock clock(123456);
    UniformRandomSource fromClock(clock.milliseconds());
    EXPECT_EQ(fromClock.lastRandomSeed(), 123456u);
    clock.advance(5000); // later draws do not depend on the time they are made
    UniformRandomSource sameSeed(123456);
    EXPECT_EQ(draws(fromClock, 14, 200), draws(sameSeed, 14, 200));
    EXPECT_EQ(fromClock.lastRandomSeed(), 123456u);

    for (int n = 1; n <= 20; ++n)
        for (int draw : draws(sameSeed, n, 100))
            ASSERT_TRUE(draw >= 0 && draw < n) << draw << " from Random(" << n << ")";
    EXPECT_EQ(sameSeed.Random(0), 0);
    EXPECT_EQ(sameSeed.Random(-3), 0);
}

} // namespace
