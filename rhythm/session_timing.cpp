#include "rhythm/session_timing.h"

#include <algorithm>
#include <cmath>

namespace {

double spread(double sum, double squares, int count)
{
    if (count < 2)
        return 0;
    const double mean = sum / count;
    return std::sqrt(std::max(0.0, (squares - count * mean * mean) / (count - 1)));
}

} // namespace

void SessionTiming::add(std::uint32_t hitTime, std::uint32_t intervalMs, std::uint32_t beatMs)
{
    if (beatMs == 0 || intervalMs == 0 || intervalMs >= 2 * beatMs)
        return;
    if (count_ == 0)
        firstHit_ = hitTime;
    ++count_;
    const double error = double(intervalMs) - double(beatMs);
    errorSum_ += error;
    errorSquares_ += error * error;
    const double share = 100.0 * error / beatMs;
    shareSum_ += share;
    shareSquares_ += share * share;
    // Unsigned difference: right across a wrap of the 32-bit clock.
    const double minute = (hitTime - firstHit_) / 60000.0;
    const double tempo = 60000.0 / intervalMs;
    minuteSum_ += minute;
    minuteSquares_ += minute * minute;
    tempoSum_ += tempo;
    productSum_ += minute * tempo;
}

SessionTiming::Summary SessionTiming::summary() const
{
    Summary summary;
    summary.intervals = count_;
    if (count_ == 0)
        return summary;
    summary.meanErrorMs = errorSum_ / count_;
    summary.errorSpreadMs = spread(errorSum_, errorSquares_, count_);
    summary.meanErrorBeatPercent = shareSum_ / count_;
    summary.errorSpreadBeatPercent = spread(shareSum_, shareSquares_, count_);
    const double denominator = count_ * minuteSquares_ - minuteSum_ * minuteSum_;
    if (count_ >= minimumForDrift && denominator > 1e-12)
        summary.driftBpmPerMinute = (count_ * productSum_ - minuteSum_ * tempoSum_) / denominator;
    return summary;
}
