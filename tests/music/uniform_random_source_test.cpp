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

// A clock-reseeded generator drew runs such as 1 1 1 0 0 0 for Random(2), so a
// draw usually equalled the one before. Here every value and every pair of
// successive values comes up about equally often.
TEST(UniformRandomSource, DrawsAreUniform)
{
    UniformRandomSource source(20261206);
    const int count = 30000;
    const auto values = draws(source, 3, count);
    std::array<int, 3> single{};
    std::array<int, 9> pairs{};
    for (int i = 0; i < count; ++i) {
        ++single[values[i]];
        if (i > 0)
            ++pairs[values[i - 1] * 3 + values[i]];
    }
    for (int c : single)
        EXPECT_NEAR(c, count / 3, count / 30);
    for (int c : pairs)
        EXPECT_NEAR(c, count / 9, count / 60);
}

} // namespace
