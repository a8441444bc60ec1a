#pragma once

#include <cstdint>

// Turns the timestamps that input events carry (milliseconds of the window
// system's own clock) into times of the program's clock, so a hit counts from
// when the key went down rather than from when the program got round to it.
//
// The two clocks differ by a fixed offset; each event shows that offset plus
// its delivery delay, so the smallest difference seen is the best estimate of
// the offset. Events without a timestamp, and a window-system clock that jumps,
// fall back to the time of handling.
class EventTime {
public:
    static constexpr std::int32_t maxDelayMs = 1000;

    std::uint32_t toClock(std::uint32_t eventTimestamp, std::uint32_t now);

private:
    bool known_ = false;
    std::uint32_t offset_ = 0; // clock − event timestamp, least delayed event
};
