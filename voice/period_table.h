#pragma once

#include <array>

// Expected periods, in samples at 11025 samples per second, of the 49 notes
// the detector can name: entry 0 is C two octaves below middle C, entry 48 is C
// two octaves above it. Periods fall as the index rises.
inline constexpr int periodTableSize = 49;
using PeriodTable = std::array<double, periodTableSize>;

// Builds the table from the tuning reference `a` (the frequency of A in Hz).
// The semitone ratio is the six-decimal 1.059463, not the exact twelfth root
// of two, so the upper entries drift by a few hundredths of a cent.
PeriodTable buildPeriodTable(int a);

// The note whose period in `table` is nearest `period` (a period exactly
// between two notes goes to the higher one), shifted down by `transpose` - 24
// and kept in 0..48. A period at or below the table's last entry is the top
// note, whatever the transposition.
int noteOfPeriod(double period, const PeriodTable& table, int transpose);
