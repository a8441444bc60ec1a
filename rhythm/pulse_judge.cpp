#include "rhythm/pulse_judge.h"

#include <algorithm>

int needleXForInterval(std::uint32_t interval, std::uint32_t beat)
{
    std::uint32_t wholeBeats = interval / beat;
    if (wholeBeats == 0)
        return static_cast<int>(interval * dial::scaleWidth / beat) + dial::earliestX;
    if (wholeBeats > 2)
        return dial::onBeatX; // a long pause starts afresh, on target
    if (wholeBeats > 1)
        return dial::latestX;
    return static_cast<int>((interval % beat) * dial::scaleWidth / beat) + dial::onBeatX;
}

int HitStats::steadinessPercent() const
{
    return total == 0 ? 0 : static_cast<int>(onTarget * 100 / total);
}

PulseJudge::PulseJudge(std::uint32_t now) : previousHit_(now)
{
    stats_.runStart = now;
}

JudgedHit PulseJudge::judge(std::uint32_t hitTime, std::uint32_t tempo)
{
    std::uint32_t interval = hitTime - previousHit_;
    previousHit_ = hitTime;
    std::uint32_t beat = beatLength(tempo);

    JudgedHit hit;
    hit.needleX = needleXForInterval(interval, beat);
    hit.intervalMs = interval;
    if (interval / beat > 2 || firstHit_) {
        hit.intervalMs = 0;
        hit.needleX = dial::onBeatX;
        stats_.runStart = hitTime;
        firstHit_ = false;
    }
    hit.lamp = lampIndexForNeedle(hit.needleX);
    hit.onTarget = hit.lamp == dial::targetLamp;

    if (hit.onTarget) {
        ++stats_.onTarget;
        ++stats_.run;
        stats_.inRun = true;
    } else {
        breakRun(hitTime);
    }
    ++stats_.total;
    return hit;
}

void PulseJudge::breakRun(std::uint32_t now)
{
    stats_.longestRun = std::max(stats_.longestRun, stats_.run);
    stats_.run = 0;
    stats_.lastRunSeconds = static_cast<float>((now - stats_.runStart) * 0.001);
    stats_.bestRunSeconds = std::max(stats_.bestRunSeconds, stats_.lastRunSeconds);
    stats_.runStart = now;
    stats_.inRun = false;
}

void PulseJudge::clearCounters(std::uint32_t now)
{
    stats_.total = 0;
    stats_.onTarget = 0;
    stats_.run = 0;
    stats_.longestRun = 0;
    // A run counted from zero again must not be timed from before the reset.
    stats_.runStart = now;
}

ResultsReport PulseJudge::closeMeasurement(std::uint32_t now)
{
    stats_.longestRun = std::max(stats_.longestRun, stats_.run);
    stats_.run = 0;
    stats_.bestRun = std::max(stats_.bestRun, stats_.longestRun);
    if (stats_.inRun) {
        stats_.lastRunSeconds = static_cast<float>((now - stats_.runStart) * 0.001);
        stats_.bestRunSeconds = std::max(stats_.bestRunSeconds, stats_.lastRunSeconds);
        stats_.inRun = false;
    }

    ResultsReport report;
    // With no hits the box reports one, so that the percentage is defined; the
    // counter itself stays at zero.
    report.total = std::max<std::uint32_t>(stats_.total, 1);
    report.onTarget = stats_.onTarget;
    report.longestRun = stats_.longestRun;
    report.bestRun = stats_.bestRun;
    report.lastRunSeconds = stats_.lastRunSeconds;
    report.bestRunSeconds = stats_.bestRunSeconds;
    report.percent = static_cast<int>(stats_.onTarget * 100 / report.total);

    stats_.longestRun = 0;
    stats_.run = 0;
    stats_.runStart = now;
    return report;
}
