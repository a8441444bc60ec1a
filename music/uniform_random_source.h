#pragma once

#include "music/random_source.h"

#include <cstdint>
#include <random>

class Clock;

// The program's random source: one generator, seeded once when the program
// starts, from which every Random(n) draws uniformly. A draw costs nothing and
// successive draws are independent of when they are made.
class UniformRandomSource final : public RandomSource {
public:
    explicit UniformRandomSource(std::uint32_t seed);
    // Seeds from the millisecond clock, as the program does at start.
    explicit UniformRandomSource(Clock& clock);

    // 0..n-1, every value equally likely; 0 when n is below 1.
    int Random(int n) override;

    // The seed in use, so that a run's melodies can be reproduced.
    std::uint32_t lastRandomSeed() const { return lastRandomSeed_; }

private:
    std::uint32_t lastRandomSeed_;
    std::mt19937 engine_;
};
