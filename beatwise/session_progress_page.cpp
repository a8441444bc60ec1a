#include "beatwise/session_progress_page.h"

#include "history/history_figures.h"
#include "progress/progress_period.h"

#include <cmath>

namespace {

// A drift this large (BPM a minute) is worth practising against.
constexpr double noticeableDrift = 1.0;
constexpr int enoughOnTarget = 60; // per cent

std::string advice(long hits, long onTarget, double drift)
{
    if (hits == 0)
        return "No sessions in these days yet: play along with a steady pulse, and it shows here.";
    if (drift >= noticeableDrift)
        return "You tend to speed up (" + historyDecimal(drift, 1) +
               " BPM a minute): practise with the metronome on.";
    if (drift <= -noticeableDrift)
        return "You tend to slow down (" + historyDecimal(drift, 1) +
               " BPM a minute): practise with the metronome on.";
    if (onTarget * 100 / hits < enoughOnTarget)
        return "Many hits are off target: lower the tempo until most are on it.";
    return "Steady and on target: try a faster tempo, or the metronome off.";
}

} // namespace

ProgressPage sessionProgressPage(const SessionDays& history, const chart::Period& period)
{
    ProgressPage page{.title = "Progress", .period = period};
    chart::Chart sessions{.title = "Sessions a day", .style = chart::Style::Bars};
    chart::Chart onTarget{
        .title = "On target, each session", .style = chart::Style::Dots, .most = 100, .unit = "%"};
    chart::Chart spread{
        .title = "Timing spread, each session", .style = chart::Style::Dots, .unit = "ms"};
    chart::Chart drift{.title = "Drift, each session",
                       .style = chart::Style::Dots,
                       .symmetric = true,
                       .unit = "BPM/min"};
    long hits = 0, right = 0, intervals = 0;
    double driftSum = 0;
    std::vector<double> shares, spreads;
    for (const SessionDay& day : history.days)
        if (const std::optional<int> x = dayInPeriod(period, day.date)) {
            sessions.points.push_back({.day = double(*x), .value = double(day.sessions)});
            hits += day.hits;
            right += day.onTarget;
        }
    for (const SessionPoint& s : history.sessions) {
        const std::optional<int> x = dayInPeriod(period, s.date);
        if (!x)
            continue;
        const double day = *x + s.dayFraction;
        shares.push_back(s.onTargetPercent);
        onTarget.points.push_back({.day = day, .value = double(s.onTargetPercent)});
        if (s.intervals == 0)
            continue; // no timing figures
        spreads.push_back(s.errorSpreadMs);
        spread.points.push_back({.day = day, .value = s.errorSpreadMs});
        drift.points.push_back({.day = day, .value = s.driftBpmPerMinute});
        driftSum += s.driftBpmPerMinute * double(s.intervals);
        intervals += s.intervals;
    }
    int sessionCount = 0;
    for (const chart::Point& p : sessions.points)
        sessionCount += int(p.value);
    sessions.figure = std::to_string(sessionCount);
    if (hits > 0)
        onTarget.figure = figureWithUnit(100.0 * double(right) / double(hits), 0, "%") +
                          changeOverPeriod(shares, 0);
    const double meanDrift = intervals > 0 ? driftSum / double(intervals) : 0;
    if (!spreads.empty()) {
        std::vector<double> sorted = spreads;
        spread.figure =
            figureWithUnit(quantile(sorted, 0.5), 0, "ms") + changeOverPeriod(spreads, 0);
        drift.figure = (meanDrift > 0 ? "+" : "") + figureWithUnit(meanDrift, 1, "BPM/min");
    }
    page.charts = {sessions, onTarget, spread, drift};
    page.advice = advice(hits, right, meanDrift);
    return page;
}

ProgressPage sessionProgressPage(const std::filesystem::path& dataDirectory, int days,
                                 std::chrono::system_clock::time_point now)
{
    const chart::Period period = progressPeriod(days, now);
    const auto history = readSessionDays(dataDirectory, period.firstDate);
    return pageOfHistory(history, period, [](const SessionDays& read, const chart::Period& p) {
        return sessionProgressPage(read, p);
    });
}
