#pragma once

#include <cstdint>

// A millisecond clock. The program reads time only through this interface so
// that tests can drive time by hand and a scripted wait costs nothing.
class Clock {
public:
    virtual ~Clock() = default;

    // Milliseconds since an arbitrary fixed origin; wraps like a 32-bit counter.
    virtual std::uint32_t milliseconds() = 0;

    // Blocks the calling thread for at least `ms` milliseconds.
    virtual void sleep(std::uint32_t ms) = 0;
};

// The real clock: std::chrono::steady_clock.
class SteadyClock final : public Clock {
public:
    std::uint32_t milliseconds() override;
    void sleep(std::uint32_t ms) override;
};
