#include "rhythm/status_texts.h"

#include <cstdio>

namespace {

template <typename... Args> std::string format(const char* pattern, Args... args)
{
    char text[512];
    std::snprintf(text, sizeof text, pattern, args...);
    return text;
}

unsigned long ul(std::uint32_t value)
{
    return value;
}

} // namespace

std::string steadinessLine(const HitStats& stats)
{
    return format("Steady hitting = %lu out of total = %lu, steadiness = %d%c", ul(stats.onTarget),
                  ul(stats.total), stats.steadinessPercent(), '%');
}

std::string runLine(const HitStats& stats)
{
    return format("Continuously = %lu hits = %.2f secs (best = %lu hits = %.2f secs)",
                  ul(stats.longestRun), double(stats.lastRunSeconds), ul(stats.bestRun),
                  double(stats.bestRunSeconds));
}

std::string resultsText(const ResultsReport& report)
{
    return format("Total hits = %lu\nRight on (green) target = %lu\n\n\nContinuously steady = %lu "
                  "hits\n(best for this session is %lu hits)\n\n\nContinuously steady = %.2f "
                  "seconds\n(best for this session is %.2f seconds)\n\n\nPercentage = %d\n\n",
                  ul(report.total), ul(report.onTarget), ul(report.longestRun), ul(report.bestRun),
                  double(report.lastRunSeconds), double(report.bestRunSeconds), report.percent);
}
