#pragma once

#include <array>
#include <span>

// The period of one window of samples and how clearly the window repeats
// with it.
struct PeriodEstimate {
    double period = 0;  // in samples, between whole samples; 0: no candidate
    double clarity = 0; // 0..1: 1 is a window that repeats exactly
};

// McLeod's period search over one window of 512 or 1024 samples at 11025 Hz:
// the normalised square difference of the window with itself shifted by
// each lag, computed through the autocorrelation of a transform twice the
// window's length, with the partials above about 2 kHz faded out. Of the
// tops of its positive lobes (refined between samples by a parabola), the
// first - the shortest period - that reaches `octaveRatio` of the highest is
// the period: a strong second or third partial does not lift the note by an
// octave, and a missing fundamental is still found.
class PeriodSearch {
public:
    static constexpr double octaveRatio = 0.95;
    static constexpr int longestWindow = 1024;

    PeriodSearch();

    // Searches periods from `shortest` to `longest` samples (the longest is
    // kept to half the window).
    PeriodEstimate estimate(std::span<const double> window, double shortest, double longest);

private:
    void differenceFunction(std::span<const double> window, int lastLag);

    std::array<double, 2 * longestWindow> re_{};
    std::array<double, 2 * longestWindow> im_{};
    std::array<double, 2 * longestWindow> power_{};
    // The low-pass of each transform length, in natural bin order.
    std::array<double, longestWindow> weight1024_{};
    std::array<double, 2 * longestWindow> weight2048_{};
    // The normalised square difference function, 1 at lag 0.
    std::array<double, longestWindow / 2 + 2> nsdf_{};
};
