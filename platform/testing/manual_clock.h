#pragma once

#include "platform/clock/clock.h"

// A clock that only moves when told to: sleeping advances it at once.
class ManualClock final : public Clock {
public:
    explicit ManualClock(std::uint32_t start = 0) : now_(start) {}

    std::uint32_t milliseconds() override { return now_; }
    void sleep(std::uint32_t ms) override { now_ += ms; }
    void advance(std::uint32_t ms) { now_ += ms; }

private:
    std::uint32_t now_;
};
