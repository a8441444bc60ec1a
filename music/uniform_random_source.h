#pragma once

#include "music/random_source.h"

#include <cstdint>
#include <random>

// The program's random source: one generator, seeded once when the program
// starts, from which every Random(n) draws uniformly. A draw costs nothing and
// successive draws are independent of when they are made.
class UniformRandomSource final : public RandomSource {
public:
    // The program seeds it once at start from the millisecond clock.
    explicit UniformRandomSource(std::uint32_t seed);

    // 0..n-1, every value equally likely; 0 when n is below 1.
    int Random(int n) override;

    // The seed in use, so that a run's melodies can be reproduced.
    std::uint32_t lastRandomSeed() const { return lastRandomSeed_; }

private:
    std::uint32_t lastRandomSeed_;
    std::mt19937 engine_;
};
