#include "drill/intonation_report.h"

#include "base/quantile.h"
#include "voice/cents.h"

#include <cmath>
#include <vector>

std::optional<NoteIntonation> noteIntonation(std::span<const CentsReading> readings)
{
    if (readings.empty())
        return std::nullopt;
    std::vector<double> onset, stable;
    for (const CentsReading& r : readings)
        (r.msAfterOnset < kScoopMs ? onset : stable).push_back(r.cents);
    NoteIntonation note;
    if (!onset.empty())
        note.scoop = quantile(onset, 0.5);
    std::vector<double>& held = stable.empty() ? onset : stable;
    note.median = heldPitchCents(held);
    note.spread = quantile(held, 0.75) - quantile(held, 0.25);
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
