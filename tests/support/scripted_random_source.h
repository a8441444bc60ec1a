#pragma once

#include "music/random_source.h"

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

// A random source that gives back a fixed list of draws, for tests. It keeps
// the bound n of every call, so a test can check which draws were asked for.
// Running out of draws, or a draw outside 0..n-1, is a mistake in the test and
// throws.
class ScriptedRandomSource final : public RandomSource {
public:
    ScriptedRandomSource(std::initializer_list<int> draws) : draws_(draws) {}
    explicit ScriptedRandomSource(std::vector<int> draws) : draws_(std::move(draws)) {}

    int Random(int n) override
    {
        if (next_ >= draws_.size())
            throw std::logic_error("scripted random source: no draw left for Random(" +
                                   std::to_string(n) + ")");
        const int draw = draws_[next_++];
        if (draw < 0 || draw >= n)
            throw std::logic_error("scripted random source: draw " + std::to_string(draw) +
                                   " is outside Random(" + std::to_string(n) + ")");
        bounds_.push_back(n);
        return draw;
    }

    // The n of each call so far, in order.
    const std::vector<int>& bounds() const { return bounds_; }
    bool exhausted() const { return next_ == draws_.size(); }

private:
    std::vector<int> draws_;
    std::size_t next_ = 0;
    std::vector<int> bounds_;
};
