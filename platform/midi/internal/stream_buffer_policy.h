#pragma once

#include <algorithm>
#include <cstdint>

// How much sound the synthesizer keeps queued ahead at the sound server.
// The queue is all that stands between a pressed key and its sound, so it
// starts small: 30 ms, which on a 2-core machine with one core kept busy and
// a second sound client playing ran ten minutes without running dry (20 ms
// ran dry once in that time). Each time the server reports that it ran dry
// the queue grows by half, as sound servers grow their own, up to a bound. One stall
// of the machine often shows as several underruns in a row: after a step
// the policy waits `settleMs` before it grows again.
class StreamBufferPolicy {
public:
    static constexpr int initialMs = 30;
    static constexpr int maximumMs = 250;
    static constexpr std::uint32_t settleMs = 500;

    int targetMs() const { return targetMs_; }
    int underruns() const { return underruns_; }

    // The server ran dry at `nowMs` (any steadily rising clock). True when
    // the target grew and the stream is to be told.
    bool underrun(std::uint32_t nowMs)
    {
        ++underruns_;
        if (grownOnce_ && nowMs - lastGrowthMs_ < settleMs)
            return false;
        const int grown = std::min(maximumMs, targetMs_ + (targetMs_ + 1) / 2);
        if (grown == targetMs_)
            return false;
        targetMs_ = grown;
        lastGrowthMs_ = nowMs;
        grownOnce_ = true;
        return true;
    }

private:
    int targetMs_ = initialMs;
    int underruns_ = 0;
    bool grownOnce_ = false;
    std::uint32_t lastGrowthMs_ = 0;
};
