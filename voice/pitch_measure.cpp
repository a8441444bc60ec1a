#include "voice/pitch_measure.h"

#include "voice/sample_conversion.h"

#include <algorithm>
#include <cmath>

namespace {

// How far, as a share of the period, a refined top may lie from the period
// found: about a semitone.
constexpr double maxWander = 0.06;

// The normalised square difference of the window with itself shifted by `lag`.
double squareDifferenceAt(std::span<const double> window, int lag)
{
    const std::size_t n = window.size() - std::size_t(lag);
    double r = 0, m = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double a = window[i], b = window[i + std::size_t(lag)];
        r += a * b;
        m += a * a + b * b;
    }
    return m > 1e-9 ? 2 * r / m : 0.0;
}

// The lag of the top nearest `guess`, between samples, kept in 2..lastLag - 1.
double topNear(std::span<const double> window, double guess, int lastLag)
{
    auto at = [&](int lag) { return squareDifferenceAt(window, lag); };
    int lag = std::clamp(int(std::lround(guess)), 2, lastLag - 1);
    double here = at(lag);
    double before = at(lag - 1), after = at(lag + 1);
    // A few steps uphill: the guess is within a sample or two of the top.
    for (int step = 0; step < 4; ++step) {
        if (before > here && lag - 1 >= 2) {
            --lag;
            after = here;
            here = before;
            before = at(lag - 1);
        } else if (after > here && lag + 1 <= lastLag - 1) {
            ++lag;
            before = here;
            here = after;
            after = at(lag + 1);
        } else {
            break;
        }
    }
    const double curvature = before - 2 * here + after;
    const double shift = curvature < 0 ? 0.5 * (before - after) / curvature : 0.0;
    return lag + std::clamp(shift, -0.5, 0.5);
}

// The window without its quiet ends: the silence before an onset or after a
// release. The square difference at a long lag pairs fewer sounding samples
// there than at a short one, which pulls the top towards shorter lags: an
// onset block read some 35 cents sharp.
std::span<const double> soundingPart(std::span<const double> window)
{
    double peak = 0;
    for (double x : window)
        peak = std::max(peak, std::abs(x));
    const auto loud = [&](double x) { return std::abs(x) >= peak / 8; };
    const auto first = std::find_if(window.begin(), window.end(), loud);
    const auto last = std::find_if(window.rbegin(), window.rend(), loud).base();
    return first < last
               ? window.subspan(std::size_t(first - window.begin()), std::size_t(last - first))
               : window;
}

} // namespace

double refinePeriod(std::span<const double> whole, double period)
{
    const std::span<const double> window = soundingPart(whole);
    const int lastLag = int(window.size()) / 2;
    if (period < 2 || period > lastLag - 1)
        return period;
    double refined = period;
    int multiple = 1;
    while (true) {
        const double found = topNear(window, multiple * refined, lastLag) / multiple;
        // A top that wandered off (noise, a window across two notes) is no
        // multiple of the period: what was found before stands.
        if (std::abs(found / period - 1) > maxWander)
            return refined;
        refined = found;
        int next = multiple * 2;
        if (next * refined > lastLag - 1)
            next = int((lastLag - 1) / refined);
        if (next <= multiple)
            return refined;
        multiple = next;
    }
}

std::array<double, 4> quarterPeriods(std::span<const double> window, double period)
{
    std::array<double, 4> quarters{};
    const std::size_t length = window.size() / quarters.size();
    if (period <= 0 || period > double(length) / 2 - 1)
        return quarters;
    for (std::size_t q = 0; q < quarters.size(); ++q) {
        const double refined = refinePeriod(window.subspan(q * length, length), period);
        // An unchanged period is a quarter whose tops wandered off: no reading.
        if (refined != period)
            quarters[q] = refined;
    }
    return quarters;
}

double shortestSearchedPeriod(const PeriodTable& table)
{
    return table.back() * 0.8;
}

double longestSearchedPeriod(const PeriodTable& table)
{
    return table.front() * 2.1;
}

double PitchMeasure::periodOf(std::span<const std::uint8_t> block, const PeriodTable& table)
{
    const std::size_t count = std::min(block.size(), std::size_t(windowLength));
    const std::span<const std::uint8_t> last = block.last(count);
    double sum = 0;
    for (std::size_t i = 0; i < std::size_t(windowLength); ++i) {
        window_[i] = i < count ? signedSampleValue(last[i]) : 0;
        sum += window_[i];
    }
    // A steady offset would read as correlation at every lag.
    for (double& x : window_)
        x -= sum / windowLength;
    const std::span<const double> samples(window_);
    const PeriodEstimate found =
        search_.estimate(samples, shortestSearchedPeriod(table), longestSearchedPeriod(table));
    if (found.period <= 0 || found.clarity < clarityThreshold)
        return 0;
    return refinePeriod(samples, found.period);
}
