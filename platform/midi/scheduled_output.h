#pragma once

#include <cstdint>

// An output that plays messages at a given time on its own clock: the
// built-in synthesizer's sample clock. A message sent ahead sounds exactly
// at its time however late the sending thread woke up and wherever the
// audio period boundaries fall.
class ScheduledOutput {
public:
    virtual ~ScheduledOutput() = default;

    // The output's clock, in milliseconds: the time of the sound being
    // produced now.
    virtual std::uint32_t clockMs() = 0;

    // Plays the short message (packed as on the wire) at `timeMs` on that
    // clock, or at once when that time has passed.
    virtual void sendAt(std::uint32_t message, std::uint32_t timeMs) = 0;

    // Drops every message sent ahead that has not played yet.
    virtual void cancelPending() = 0;
};
