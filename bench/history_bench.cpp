// The practice history's cost: a year of heavy use (100 drills a day of 9
// notes: about 330 000 note rows, written by the program's own writer) opened
// and aggregated as the Progress window and `solfara --history` do; one drill
// appended to those files; and a year of beatwise sessions made into its page.
//   build/bench/history_bench
#include "beatwise/session_progress_page.h"
#include "drill/drill_history.h"
#include "rhythm/session_history.h"
#include "solfara/drill_progress_page.h"
#include "platform/testing/temp_dir.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <sstream>

namespace {

using namespace std::chrono_literals;
const auto now = std::chrono::system_clock::now();

DrillRecord drillOfNine(int seed)
{
    DrillRecord record;
    record.answerMode = "microphone";
    record.detector = "classic";
    record.key = "G";
    record.scale = "MAJOR";
    record.range = "Tenor";
    record.level = "Intermediate";
    record.source = "composed";
    record.finished = seed % 10 != 0;
    record.durationMs = 24000;
    for (int n = 0; n < 9; ++n) {
        NoteRecord note;
        note.index = n;
        note.target = 19 + (seed * 7 + n * 5) % 12;
        note.interval = n == 0 ? 0 : (seed + n) % 13 - 6;
        note.degree = (seed + n * 2) % 12;
        note.accepted = record.finished || n < 5;
        note.firstTry = (seed + n) % 4 != 0;
        note.msToAccept = 600 + 97 * ((seed + n) % 23);
        note.wrongBlocks = (seed + n) % 4 == 0 ? 3 : 0;
        record.notes.push_back(note);
    }
    return record;
}

struct YearOfDrills {
    TempDir dir;
    YearOfDrills()
    {
        DrillHistory history(dir.path());
        for (int day = 0; day < 365; ++day)
            for (int drill = 0; drill < 100; ++drill)
                (void)history.append(drillOfNine(day * 100 + drill), now - day * 24h);
    }
};

YearOfDrills& year()
{
    static YearOfDrills drills;
    return drills;
}

void BM_AggregateAYearOfDrills(benchmark::State& state)
{
    const auto& dir = year().dir.path();
    for (auto _ : state) {
        auto progress = readDrillProgress(dir, "", "");
        benchmark::DoNotOptimize(progress);
    }
    const auto progress = readDrillProgress(dir, "", "");
    long notes = 0;
    for (const DrillDay& day : progress->days)
        notes += day.notes;
    state.counters["days"] = double(progress->days.size());
    state.counters["notes_accepted"] = double(notes);
    state.counters["damaged"] = double(progress->damaged);
}
BENCHMARK(BM_AggregateAYearOfDrills)->Unit(benchmark::kMillisecond);

// What the Progress window does for its 365-day tab: read, aggregate, make the page.
void BM_ProgressPageOfAYearOfDrills(benchmark::State& state)
{
    const auto& dir = year().dir.path();
    for (auto _ : state)
        benchmark::DoNotOptimize(drillProgressPage(dir, 365, now));
}
BENCHMARK(BM_ProgressPageOfAYearOfDrills)->Unit(benchmark::kMillisecond);

void BM_HistoryCommandOfAYearOfDrills(benchmark::State& state)
{
    const auto& dir = year().dir.path();
    for (auto _ : state) {
        std::ostringstream out;
        benchmark::DoNotOptimize(printDrillHistory(dir, 0, false, false, now, out));
    }
}
BENCHMARK(BM_HistoryCommandOfAYearOfDrills)->Unit(benchmark::kMillisecond);

// One drill of nine notes: ten rows, each in one write, onto a year of them.
void BM_AppendADrillToAYear(benchmark::State& state)
{
    DrillHistory history(year().dir.path());
    const DrillRecord drill = drillOfNine(7);
    for (auto _ : state)
        benchmark::DoNotOptimize(history.append(drill, now));
    state.counters["rows_per_drill"] = 10;
}
BENCHMARK(BM_AppendADrillToAYear)->Unit(benchmark::kMicrosecond)->Iterations(200);

void BM_ProgressPageOfAYearOfSessions(benchmark::State& state)
{
    static TempDir dir;
    static bool written = [] {
        SessionHistory history(dir.path());
        SessionRecord session{.durationMs = 300000,
                              .tempo = 90,
                              .keyboard = true,
                              .hits = 400,
                              .onTarget = 300,
                              .longestRun = 40,
                              .timing = {}};
        session.timing = {.intervals = 399,
                          .meanErrorMs = -4,
                          .errorSpreadMs = 28,
                          .meanErrorBeatPercent = -0.6,
                          .errorSpreadBeatPercent = 4.2,
                          .driftBpmPerMinute = 0.4};
        for (int day = 0; day < 365; ++day)
            for (int s = 0; s < 10; ++s)
                (void)history.append(session, now - day * 24h - s * 1h);
        return true;
    }();
    benchmark::DoNotOptimize(written);
    for (auto _ : state)
        benchmark::DoNotOptimize(sessionProgressPage(dir.path(), 365, now));
}
BENCHMARK(BM_ProgressPageOfAYearOfSessions)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
