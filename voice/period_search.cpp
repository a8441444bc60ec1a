#include "voice/period_search.h"

#include "voice/fft_tables.h"
#include "voice/radix2_transform.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Partials above about 2 kHz are faded out before the search: they make the
// peaks of a short period too sharp to measure between samples, so that its
// double would look clearer and the note would fall an octave.
constexpr double passUpTo = 2000;
constexpr double stopFrom = 4000;

template <std::size_t N> void fillLowPass(std::array<double, N>& weight)
{
    const int n = int(N);
    for (int m = 0; m < n; ++m) {
        const double hertz = std::min(m, n - m) * 11025.0 / n;
        const double x = std::clamp((hertz - passUpTo) / (stopFrom - passUpTo), 0.0, 1.0);
        weight[std::size_t(m)] = 0.5 + 0.5 * std::cos(std::numbers::pi * x);
    }
}

} // namespace

PeriodSearch::PeriodSearch()
{
    // Transform tables built now rather than on the first block.
    fftTablesForStages(10);
    fftTablesForStages(11);
    fillLowPass(weight1024_);
    fillLowPass(weight2048_);
}

// nsdf(lag) = 2 r(lag) / m(lag) for lags 0..lastLag, where r is the
// autocorrelation of the filtered window and m the summed energy of the two
// overlapping parts; r comes from the power spectrum of the zero-padded
// window, transformed again.
void PeriodSearch::differenceFunction(std::span<const double> window, int lastLag)
{
    const int length = int(window.size());
    const int size = 2 * length;
    const FftTables& tables = fftTablesForStages(size == 1024 ? 10 : 11);
    const double* weight = size == 1024 ? weight1024_.data() : weight2048_.data();
    std::copy(window.begin(), window.end(), re_.begin());
    std::fill(re_.begin() + length, re_.begin() + size, 0.0);
    std::fill(im_.begin(), im_.begin() + size, 0.0);
    radix2Transform(re_.data(), im_.data(), tables);
    // The power spectrum is real and even, so its forward transform is the
    // autocorrelation times the transform size; bring it back to natural
    // order first, since the transform leaves bin m at bitReversal[m].
    for (int m = 0; m < size; ++m) {
        const std::uint32_t p = tables.bitReversal[std::size_t(m)];
        power_[std::size_t(m)] = (re_[p] * re_[p] + im_[p] * im_[p]) * weight[m];
    }
    std::copy(power_.begin(), power_.begin() + size, re_.begin());
    std::fill(im_.begin(), im_.begin() + size, 0.0);
    radix2Transform(re_.data(), im_.data(), tables);

    // m comes from the unfiltered window: scale it by the share of the
    // energy the filter keeps.
    double energy = 0;
    for (double x : window)
        energy += 2 * x * x;
    const double kept = re_[tables.bitReversal[0]] / size;
    if (energy <= 1e-9 || kept <= 1e-9) {
        std::fill(nsdf_.begin(), nsdf_.begin() + lastLag + 1, 0.0);
        return;
    }
    const double scale = kept / (energy / 2);
    for (int lag = 0; lag <= lastLag; ++lag) {
        if (lag > 0)
            energy -= window[std::size_t(lag - 1)] * window[std::size_t(lag - 1)] +
                      window[std::size_t(length - lag)] * window[std::size_t(length - lag)];
        const double r = re_[tables.bitReversal[std::size_t(lag)]] / size;
        nsdf_[std::size_t(lag)] = energy > 1e-9 ? 2 * r / (energy * scale) : 0.0;
    }
}

PeriodEstimate PeriodSearch::estimate(std::span<const double> window, double shortestPeriod,
                                      double longestPeriod)
{
    const int shortest = std::max(2, int(shortestPeriod));
    const int longest = std::min(int(window.size()) / 2, int(std::ceil(longestPeriod)));
    differenceFunction(window, longest + 1);

    // The top of each positive lobe after the first (lag 0's own), refined
    // between samples by a parabola: a short period rarely falls on a whole
    // sample, and its sampled top would look lower than that of its double.
    struct Peak {
        double lag;
        double value;
    };
    std::array<Peak, longestWindow / 2> peaks{};
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
        peaks[peakCount++] = {top + shift, at - 0.25 * (before - after) * shift};
        highest = std::max(highest, peaks[peakCount - 1].value);
    }

    // The shortest period whose peak is nearly as high as the highest: the
    // octave check.
    for (std::size_t i = 0; i < peakCount; ++i)
        if (peaks[i].value >= octaveRatio * highest)
            return {peaks[i].lag, peaks[i].value};
    return {};
}
