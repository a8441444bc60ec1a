#pragma once

#include <cmath>
#include <optional>

// How a sung pitch's cents off its note compare with the tolerance in force:
// within it, near (within twice it), or off. With the tolerance "Any" the
// grade is against 25 cents, the widest a choir director would still call in
// tune, so that the colours still tell something.
enum class CentsGrade { Within, Near, Off };

inline constexpr int kAnyToleranceGradeCents = 25;

inline CentsGrade gradeCents(double cents, std::optional<int> toleranceCents)
{
    const double tolerance = toleranceCents.value_or(kAnyToleranceGradeCents);
    const double off = std::abs(cents);
    return off <= tolerance       ? CentsGrade::Within
           : off <= 2 * tolerance ? CentsGrade::Near
                                  : CentsGrade::Off;
}
