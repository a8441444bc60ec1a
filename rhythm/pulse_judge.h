#pragma once

#include <cstdint>

// Where the needle and lamps of the hit dial sit. The needle scale runs from one
// beat too early (x 32) over the beat itself (x 200) to one beat late (x 368);
// lamp i has its centre at x 32 + 21 i.
namespace dial {
constexpr int earliestX = 32;
constexpr int onBeatX = 200;
constexpr int latestX = 368;
constexpr int scaleWidth = 168; // pixels for one beat on either side of the target
constexpr int lampCount = 17;
constexpr int targetLamp = 8;
} // namespace dial

// Beat length in milliseconds for a tempo in beats per minute.
constexpr std::uint32_t beatLength(std::uint32_t tempo)
{
    return 60000u / tempo;
}

// Needle position for an interval between two hits, before the pause rules of
// the judge are applied to the very first hit.
int needleXForInterval(std::uint32_t interval, std::uint32_t beat);

// The lamp under a needle position: 0..16, 8 is the green target.
constexpr int lampIndexForNeedle(int x)
{
    return (x - 22) / 21;
}

// The statistics of one session, as the status lines and the results box show
// them. Counters are unsigned 32-bit like the times they are taken from.
struct HitStats {
    std::uint32_t total = 0;
    std::uint32_t onTarget = 0;
    std::uint32_t run = 0;        // on-target hits in the current unbroken run
    std::uint32_t longestRun = 0; // since the last results box or Esc
    std::uint32_t bestRun = 0;    // best any results box has reported
    std::uint32_t runStart = 0;   // millisecond time the current run began
    float lastRunSeconds = 0;
    float bestRunSeconds = 0;
    bool inRun = false; // the last hit was on target

    // on target × 100 / total, 0 before any hit.
    int steadinessPercent() const;
};

// What one judged hit shows on the dial.
struct JudgedHit {
    int needleX = dial::onBeatX;
    int lamp = dial::targetLamp;
    bool onTarget = true;
    // The interval from the hit before, in milliseconds; 0 for the first hit
    // and for one after a pause, which start afresh.
    std::uint32_t intervalMs = 0;
};

// What the results box reports; `total` is at least 1.
struct ResultsReport {
    std::uint32_t total = 1;
    std::uint32_t onTarget = 0;
    std::uint32_t longestRun = 0;
    std::uint32_t bestRun = 0;
    float lastRunSeconds = 0;
    float bestRunSeconds = 0;
    int percent = 0;
};

// Judges hits against the beat and keeps the statistics. All times are
// milliseconds of one clock, passed in by the caller.
class PulseJudge {
public:
    explicit PulseJudge(std::uint32_t now);

    // Judges a hit that happened at `hitTime` at the given tempo and counts it.
    JudgedHit judge(std::uint32_t hitTime, std::uint32_t tempo);

    // Esc: the counters start again from zero; the session bests stay.
    void clearCounters(std::uint32_t now);

    // F1: ends the current measurement of runs and reports it.
    ResultsReport closeMeasurement(std::uint32_t now);

    const HitStats& stats() const { return stats_; }
    bool awaitingFirstHit() const { return firstHit_; }

private:
    void breakRun(std::uint32_t now);

    HitStats stats_;
    std::uint32_t previousHit_;
    bool firstHit_ = true;
};
