#include "voice/cents.h"

#include "base/quantile.h"
#include "voice/note_detector.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The table's own semitone ratio, so that a note beyond its ends is where
// the table would have put it.
constexpr double semitoneRatio = 1.059463;

} // namespace

double periodOfNote(int note, const PeriodTable& table, int transpose)
{
    const int entry = note + transpose - 24;
    const int kept = std::clamp(entry, 0, periodTableSize - 1);
    return table[std::size_t(kept)] * std::pow(semitoneRatio, kept - entry);
}

double centsAgainstNote(double period, int note, const PeriodTable& table, int transpose)
{
    // A shorter period is a higher pitch.
    return 1200.0 * std::log2(periodOfNote(note, table, transpose) / period);
}

double centsAgainstPitchClass(double period, int note, const PeriodTable& table, int transpose)
{
    const double cents = centsAgainstNote(period, note, table, transpose);
    return cents - 1200.0 * std::round(cents / 1200.0);
}

std::optional<double> blockCents(double period, int note, const PeriodTable& table, int transpose)
{
    if (period <= 0)
        return std::nullopt;
    return centsAgainstNote(period, note, table, transpose);
}

namespace {

// A period of `detection` against the due note, folded when the detector named it.
double againstDue(double period, const DetectionResult& detection, int dueNote,
                  const PeriodTable& table, int transpose)
{
    return detection.sungNote == dueNote ? centsAgainstPitchClass(period, dueNote, table, transpose)
                                         : centsAgainstNote(period, dueNote, table, transpose);
}

} // namespace

std::optional<double> centsAgainstDueNote(const DetectionResult& detection, int dueNote,
                                          const PeriodTable& table, int transpose)
{
    if (detection.period <= 0 || detection.skipped)
        return std::nullopt;
    return againstDue(detection.period, detection, dueNote, table, transpose);
}

std::vector<double> quarterCentsAgainstDueNote(const DetectionResult& detection, int dueNote,
                                               const PeriodTable& table, int transpose)
{
    std::vector<double> cents;
    if (detection.period <= 0 || detection.skipped)
        return cents;
    for (double period : detection.quarterPeriods)
        if (period > 0)
            cents.push_back(againstDue(period, detection, dueNote, table, transpose));
    return cents;
}

double heldPitchCents(std::span<const double> cents)
{
    if (cents.size() < 2)
        return cents.empty() ? 0.0 : cents[0];
    std::vector<double> pairs;
    for (std::size_t i = 1; i < cents.size(); ++i)
        pairs.push_back((cents[i - 1] + cents[i]) / 2);
    return quantile(pairs, 0.5);
}
