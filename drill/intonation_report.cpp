#include "drill/intonation_report.h"

#include "base/quantile.h"
#include "voice/cents.h"

#include <cmath>
#include <vector>

namespace {

// The readings' cents in the onset and after it.
struct Parts {
    std::vector<double> onset, stable;
    // The stable part, or all of them when the note was accepted within its onset.
    std::vector<double>& held() { return stable.empty() ? onset : stable; }
};

Parts split(std::span<const CentsReading> readings)
{
    Parts parts;
    for (const CentsReading& r : readings)
        (r.msAfterOnset < kScoopMs ? parts.onset : parts.stable).push_back(r.cents);
    return parts;
}

double interquartileRange(std::vector<double>& values)
{
    return quantile(values, 0.75) - quantile(values, 0.25);
}

} // namespace

std::optional<NoteIntonation> noteIntonation(std::span<const CentsReading> readings,
                                             std::span<const CentsReading> fine)
{
    if (readings.empty())
        return std::nullopt;
    Parts blocks = split(readings);
    NoteIntonation note;
    if (!blocks.onset.empty())
        note.scoop = quantile(blocks.onset, 0.5);
    note.median = heldPitchCents(blocks.held());
    Parts quarters = split(fine);
    note.spread = interquartileRange(quarters.held().empty() ? blocks.held() : quarters.held());
    return note;
}

std::optional<DrillIntonation> drillIntonation(std::span<const std::optional<double>> medians)
{
    // A least-squares line through (note number, median).
    double n = 0, sumX = 0, sumY = 0, sumXX = 0, sumXY = 0;
    for (std::size_t i = 0; i < medians.size(); ++i) {
        if (!medians[i])
            continue;
        const double x = double(i), y = *medians[i];
        n += 1;
        sumX += x;
        sumY += y;
        sumXX += x * x;
        sumXY += x * y;
    }
    if (n == 0)
        return std::nullopt;
    DrillIntonation drill;
    drill.notes = int(n);
    drill.meanOffset = sumY / n;
    const double denominator = n * sumXX - sumX * sumX;
    drill.driftPerNote = denominator > 0 ? (n * sumXY - sumX * sumY) / denominator : 0.0;
    double distance = 0;
    for (const std::optional<double>& m : medians)
        if (m)
            distance += std::abs(*m - drill.meanOffset);
    drill.relative = distance / n;
    return drill;
}
