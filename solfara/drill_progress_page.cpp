#include "solfara/drill_progress_page.h"

#include "history/history_figures.h"
#include "progress/progress_period.h"

namespace {

constexpr int rankingDays = 30;

chart::Ranking ranking(const std::string& title, const std::vector<NoteKindResult>& kinds,
                       std::string (*name)(int))
{
    chart::Ranking r{.title = title, .empty = "Too few notes yet"};
    for (const NoteKindResult& kind : kinds)
        r.rows.push_back({name(kind.kind), kind.firstTryShare(),
                          std::to_string(kind.firstTry) + " of " + std::to_string(kind.notes)});
    return r;
}

std::string degreeLabel(int degree)
{
    return "degree " + scaleDegreeName(degree);
}

std::string advice(const DrillProgress& progress)
{
    if (progress.days.empty())
        return "No drills in these days yet: sing one, and it shows here.";
    const NoteKindResult* interval = progress.intervals.empty() ? nullptr : &progress.intervals[0];
    const NoteKindResult* degree = progress.degrees.empty() ? nullptr : &progress.degrees[0];
    constexpr double wellSung = 0.8;
    if ((!interval || interval->firstTryShare() >= wellSung) &&
        (!degree || degree->firstTryShare() >= wellSung))
        return interval && degree
                   ? "Every interval and degree comes right at the first try: try a harder level."
                   : "Keep going: after a few more drills the hardest intervals show here.";
    std::string text = "Practise next:";
    if (interval && interval->firstTryShare() < wellSung)
        text += " the " + intervalName(interval->kind);
    if (degree && degree->firstTryShare() < wellSung)
        text += std::string(interval && interval->firstTryShare() < wellSung ? ", and" : "") + " " +
                degreeLabel(degree->kind) + " of the scale";
    return text + ".";
}

} // namespace

ProgressPage drillProgressPage(const DrillProgress& progress, const chart::Period& period)
{
    ProgressPage page{.title = "Progress", .period = period};
    chart::Chart drills{.title = "Drills a day", .style = chart::Style::Bars};
    chart::Chart firstTry{.title = "Right at the first try", .most = 100, .unit = "%"};
    chart::Chart time{.title = "Time to sing a note", .unit = "s"};
    chart::Chart cents{
        .title = "Cents off", .most = 50, .unit = "c", .empty = "No notes measured in cents yet"};
    int drillCount = 0, finished = 0, notes = 0, right = 0;
    std::vector<double> shares, times, offsets;
    for (const DrillDay& day : progress.days) {
        const std::optional<int> x = dayInPeriod(period, day.date);
        if (!x)
            continue;
        drillCount += day.drills;
        finished += day.finished;
        drills.points.push_back({.day = double(*x), .value = double(day.drills)});
        if (day.notes == 0)
            continue;
        notes += day.notes;
        right += day.firstTry;
        const double share = 100.0 * day.firstTry / day.notes;
        shares.push_back(share);
        firstTry.points.push_back({.day = double(*x), .value = share});
        times.push_back(day.medianSecondsToNote);
        time.points.push_back({.day = double(*x), .value = day.medianSecondsToNote});
        if (day.centsNotes > 0) {
            offsets.push_back(day.centsMedian);
            cents.points.push_back({.day = double(*x),
                                    .value = day.centsMedian,
                                    .low = day.centsLowQuartile,
                                    .high = day.centsHighQuartile});
        }
    }
    drills.figure = std::to_string(drillCount) + " (" + std::to_string(finished) + " finished)";
    if (notes > 0) {
        firstTry.figure =
            figureWithUnit(100.0 * right / notes, 0, "%") + changeOverPeriod(shares, 0);
        std::vector<double> sorted = times;
        time.figure = figureWithUnit(quantile(sorted, 0.5), 1, "s") + changeOverPeriod(times, 1);
    }
    if (!offsets.empty()) {
        std::vector<double> sorted = offsets;
        cents.figure = figureWithUnit(quantile(sorted, 0.5), 0, "c") + changeOverPeriod(offsets, 0);
    }
    page.charts = {drills, firstTry, time, cents};
    page.rankings = {ranking("Hardest intervals, 30 days", progress.intervals, intervalName),
                     ranking("Hardest scale degrees, 30 days", progress.degrees, degreeLabel)};
    page.advice = advice(progress);
    return page;
}

ProgressPage drillProgressPage(const std::filesystem::path& dataDirectory, int days,
                               std::chrono::system_clock::time_point now)
{
    const chart::Period period = progressPeriod(days, now);
    const auto progress = readDrillProgress(dataDirectory, period.firstDate,
                                            progressPeriod(rankingDays, now).firstDate);
    return pageOfHistory(progress, period, [](const DrillProgress& read, const chart::Period& p) {
        return drillProgressPage(read, p);
    });
}
