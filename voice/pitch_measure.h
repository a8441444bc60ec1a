#pragma once

#include "voice/period_search.h"
#include "voice/period_table.h"

#include <array>
#include <cstdint>
#include <span>

// Refines a period that the period search found (good to a tenth of a sample
// or so) over the longest multiple of it the window holds with at least half
// of its samples overlapping: the top of the square difference between
// samples is found at 1, 2, 4 ... times the period and lastly at the largest
// multiple, and its error is divided by the multiple. A 1 kHz tone's period
// of 11 samples comes out to a few thousandths of a sample (under a cent).
// Quiet ends of the window (before an onset, after a release) are left out.
// Returns `period` unchanged when it is not inside the sounding part's half.
double refinePeriod(std::span<const double> window, double period);

// The pitch of each quarter of a 1024-sample window (23 ms each, finer than a
// vibrato's swing), refined from the whole window's `period`: 0 for a quarter
// too short to hold two periods (notes below about 87 Hz) or without a clear top.
std::array<double, 4> quarterPeriods(std::span<const double> window, double period);

// Measures the pitch of a block to a cent or two, for intonation, whichever
// detector named its note: the period search on the last `windowLength`
// samples of the block, then refinePeriod. Owns its buffers; one per detector.
class PitchMeasure {
public:
    static constexpr int windowLength = 1024;
    static constexpr double clarityThreshold = 0.5;

    // The period in samples of the block's last `windowLength` samples (a
    // shorter block is padded with silence), or 0 when they do not repeat
    // clearly. The search spans the notes of `table` and a little beyond.
    double periodOf(std::span<const std::uint8_t> block, const PeriodTable& table);
    // quarterPeriods of the block last measured by periodOf, at `period`.
    std::array<double, 4> quartersOfLast(double period) const
    {
        return quarterPeriods(window_, period);
    }

private:
    std::array<double, windowLength> window_{};
    PeriodSearch search_;
};

// The periods the detectors search for a table's notes: a little beyond the
// table at both ends, and far enough below its lowest note that a low note's
// next lobe can be compared.
double shortestSearchedPeriod(const PeriodTable& table);
double longestSearchedPeriod(const PeriodTable& table);
