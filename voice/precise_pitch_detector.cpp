#include "voice/precise_pitch_detector.h"

#include "voice/fft_tables.h"
#include "voice/radix2_transform.h"
#include "voice/sample_conversion.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int transformStages = 11;
// The period search reaches a little beyond the table at both ends, and far
// enough below its lowest note that a low note's next lobe can be compared.
constexpr double shortestPeriodFactor = 0.8;
constexpr double longestPeriodFactor = 2.1;

} // namespace

PrecisePitchDetector::PrecisePitchDetector()
{
    fftTablesForStages(transformStages); // built now rather than on the first block
}

DetectionResult PrecisePitchDetector::analyseBlock(std::span<const std::uint8_t> block,
                                                   const DetectorSettings& settings,
                                                   const PeriodTable& periodTable, int dueNote)
{
    const int largest = convertSamples(block, settings.micVol);
    if (gate_.isSilent(largest, settings))
        return gate_.silentBlock();

    findPeriod(periodTable);
    if (period_ == 0 && !gate_.skipRequested())
        return gate_.silentBlock();
    const int heard = period_ > 0 ? noteOfPeriod(period_, periodTable, settings.transpose) : 0;
    DetectionResult result = gate_.heardBlock(heard, dueNote);
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

// nsdf(lag) = 2 r(lag) / m(lag) for lags 0..lastLag, where r is the
// autocorrelation of the window and m the summed energy of the two
// overlapping parts; r comes from the power spectrum of the zero-padded
// window, transformed again.
void PrecisePitchDetector::differenceFunction(int lastLag)
{
    const FftTables& tables = fftTablesForStages(transformStages);
    std::copy(window_.begin(), window_.end(), re_.begin());
    std::fill(re_.begin() + windowLength, re_.end(), 0.0);
    std::fill(im_.begin(), im_.end(), 0.0);
    radix2Transform(re_.data(), im_.data(), tables);
    // The power spectrum is real and even, so its forward transform is the
    // autocorrelation times the transform size; bring it back to natural
    // order first, since the transform leaves bin m at bitReversal[m].
    for (int m = 0; m < transformSize; ++m) {
        const std::uint32_t p = tables.bitReversal[std::size_t(m)];
        power_[std::size_t(m)] = re_[p] * re_[p] + im_[p] * im_[p];
    }
    std::copy(power_.begin(), power_.end(), re_.begin());
    std::fill(im_.begin(), im_.end(), 0.0);
    radix2Transform(re_.data(), im_.data(), tables);

    double energy = 0;
    for (double x : window_)
        energy += 2 * x * x;
    for (int lag = 0; lag <= lastLag; ++lag) {
        if (lag > 0)
            energy -=
                window_[std::size_t(lag - 1)] * window_[std::size_t(lag - 1)] +
                window_[std::size_t(windowLength - lag)] * window_[std::size_t(windowLength - lag)];
        const double r = re_[tables.bitReversal[std::size_t(lag)]] / transformSize;
        nsdf_[std::size_t(lag)] = energy > 1e-9 ? 2 * r / energy : 0.0;
    }
}

void PrecisePitchDetector::findPeriod(const PeriodTable& periodTable)
{
    period_ = 0;
    clarity_ = 0;
    const int shortest = std::max(2, int(periodTable.back() * shortestPeriodFactor));
    const int longest =
        std::min(windowLength / 2, int(std::ceil(periodTable.front() * longestPeriodFactor)));
    differenceFunction(longest + 1);

    // The top of each positive lobe after the first (lag 0's own), refined
    // between samples by a parabola: a short period rarely falls on a whole
    // sample, and its sampled top would look lower than that of its double.
    struct Peak {
        double lag;
        double value;
    };
    std::array<Peak, windowLength / 2> peaks{};
    std::size_t peakCount = 0;
    double highest = 0;
    int lag = 1;
    while (lag <= longest && nsdf_[std::size_t(lag)] > 0)
        ++lag;
    while (lag <= longest) {
        while (lag <= longest && nsdf_[std::size_t(lag)] <= 0)
            ++lag;
        int top = lag;
        while (lag <= longest && nsdf_[std::size_t(lag)] > 0) {
            if (nsdf_[std::size_t(top)] < nsdf_[std::size_t(lag)])
                top = lag;
            ++lag;
        }
        // A lobe cut off by the end of the search has no known top.
        if (top < shortest || top > longest ||
            nsdf_[std::size_t(top + 1)] > nsdf_[std::size_t(top)])
            continue;
        const double before = nsdf_[std::size_t(top - 1)], at = nsdf_[std::size_t(top)],
                     after = nsdf_[std::size_t(top + 1)];
        const double curvature = before - 2 * at + after;
        const double shift = curvature < 0 ? 0.5 * (before - after) / curvature : 0.0;
        const Peak peak{top + shift, at - 0.25 * (before - after) * shift};
        peaks[peakCount++] = peak;
        highest = std::max(highest, peak.value);
    }

    // The shortest period whose peak is nearly as high as the highest: the
    // octave check.
    for (std::size_t i = 0; i < peakCount; ++i) {
        if (peaks[i].value < octaveRatio * highest)
            continue;
        clarity_ = peaks[i].value;
        if (clarity_ >= clarityThreshold)
            period_ = peaks[i].lag;
        return;
    }
}
