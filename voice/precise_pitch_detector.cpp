#include "voice/precise_pitch_detector.h"

#include "voice/pitch_measure.h"
#include "voice/sample_conversion.h"

#include <algorithm>

DetectionResult PrecisePitchDetector::analyseBlock(std::span<const std::uint8_t> block,
                                                   const DetectorSettings& settings,
                                                   const PeriodTable& periodTable,
                                                   std::optional<int> skipTo)
{
    const int largest = convertSamples(block, settings.micVol);
    if (BlockGate::isSilent(largest, settings, skipTo))
        return gate_.silentBlock();

    period_ = clearPeriod(periodTable, settings.transpose);
    if (period_ == 0 && !skipTo) {
        DetectionResult silent = gate_.silentBlock();
        silent.period = measuredPeriod_;
        silent.quarterPeriods = quarterPeriods(window_, measuredPeriod_);
        return silent;
    }
    const int heard = period_ > 0 ? noteOfPeriod(period_, periodTable, settings.transpose) : 0;
    DetectionResult result = gate_.heardBlock(heard, skipTo);
    result.period = measuredPeriod_;
    result.quarterPeriods = quarterPeriods(window_, measuredPeriod_);
    pitchEstimate_ = result.sungNote;
    return result;
}

int PrecisePitchDetector::convertSamples(std::span<const std::uint8_t> block, int gain)
{
    const std::size_t count = std::min(block.size(), std::size_t(windowLength));
    const std::span<const std::uint8_t> last = block.last(count);
    int largest = 0;
    double sum = 0;
    for (std::size_t i = 0; i < std::size_t(windowLength); ++i) {
        const int v = i < count ? signedSampleValue(last[i]) : 0;
        largest = std::max(largest, v);
        window_[i] = double(v) * gain / 63;
        sum += window_[i];
    }
    // A microphone's steady offset would read as correlation at every lag.
    const double mean = sum / windowLength;
    for (double& x : window_)
        x -= mean;
    return largest;
}

double PrecisePitchDetector::clearPeriod(const PeriodTable& periodTable, int transpose)
{
    const double shortest = shortestSearchedPeriod(periodTable);
    const double longest = longestSearchedPeriod(periodTable);
    const std::span<const double> samples(window_);
    const PeriodEstimate whole = search_.estimate(samples, shortest, longest);
    const PeriodEstimate older =
        search_.estimate(samples.first(windowLength / 2), shortest, longest);
    const PeriodEstimate newer =
        search_.estimate(samples.last(windowLength / 2), shortest, longest);
    clarity_ = whole.clarity;

    auto clear = [](const PeriodEstimate& e) {
        return e.period > 0 && e.clarity >= clarityThreshold;
    };
    auto note = [&](const PeriodEstimate& e) {
        return noteOfPeriod(e.period, periodTable, transpose);
    };
    // The pitch for intonation: of the whole window when it is clear, whichever
    // part names the note (a vibrato's halves may name two neighbours).
    measuredPeriod_ = clear(whole)   ? refinePeriod(samples, whole.period)
                      : clear(newer) ? refinePeriod(samples.last(windowLength / 2), newer.period)
                                     : 0;
    if (!clear(whole))
        return clear(newer) ? newer.period : 0;
    const bool steady = (!clear(older) || note(older) == note(whole)) &&
                        (!clear(newer) || note(newer) == note(whole));
    if (steady)
        return whole.period;
    // The note changed within the window: the whole of it blends the two.
    return clear(newer) && newer.clarity > whole.clarity ? newer.period : 0;
}
