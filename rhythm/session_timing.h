#pragma once

#include <cstdint>

// The timing of one session's hits, summed up as it goes: the error of each
// interval between two hits against the beat (early negative, late
// positive), its mean and spread in milliseconds and in percent of a beat,
// and the drift of the player's tempo over the session. Intervals of two
// beats or more (a beat left out, a pause) carry no timing and are not
// counted. Times are milliseconds of one clock, passed in.
class SessionTiming {
public:
    struct Summary {
        int intervals = 0;
        double meanErrorMs = 0;
        double errorSpreadMs = 0; // standard deviation
        double meanErrorBeatPercent = 0;
        double errorSpreadBeatPercent = 0;
        double driftBpmPerMinute = 0; // slope of the played tempo; 0 below minimumForDrift
    };

    // A line fitted through a handful of intervals says nothing of drift.
    static constexpr int minimumForDrift = 8;

    // An interval of `intervalMs` that ended with the hit at `hitTime`.
    void add(std::uint32_t hitTime, std::uint32_t intervalMs, std::uint32_t beatMs);
    Summary summary() const;
    int intervals() const { return count_; }

private:
    int count_ = 0;
    std::uint32_t firstHit_ = 0;
    double errorSum_ = 0, errorSquares_ = 0;
    double shareSum_ = 0, shareSquares_ = 0;
    // The played tempo (BPM) against minutes since the first counted hit.
    double minuteSum_ = 0, minuteSquares_ = 0, tempoSum_ = 0, productSum_ = 0;
};
