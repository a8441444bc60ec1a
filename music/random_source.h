#pragma once

// The program's random numbers: Random(n) gives 0..n-1. Passed in wherever a
// draw is made, so tests can script the exact draws.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual int Random(int n) = 0;
};
