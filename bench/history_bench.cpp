// The practice history's cost: a year of heavy use (100 drills a day of 9
// notes: about 330 000 note rows) read back with the columns a summary asks
// for, and one row appended to that file.
//   build/bench/history_bench
#include "history/history_log.h"
#include "tests/support/temp_dir.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

const std::vector<std::string> noteColumns = {
    "drill_time", "index", "target", "interval", "degree",       "accepted",
    "ms",         "cents", "spread", "scoop",    "wrong_blocks", "octave_blocks"};

struct YearOfNotes {
    TempDir dir;
    std::filesystem::path file = dir.file("notes.tsv");
    YearOfNotes()
    {
        std::string text = "#v1";
        for (const auto& column : noteColumns)
            text += "\t" + column;
        text += "\n";
        for (int day = 0; day < 365; ++day)
            for (int drill = 0; drill < 100; ++drill)
                for (int note = 0; note < 9; ++note)
                    text += "2026-" + std::to_string(1 + day / 31) + "-" +
                            std::to_string(1 + day % 28) + "T10:" + std::to_string(drill % 60) +
                            ":00+01:00\t" + std::to_string(note) +
                            "\tG4\t+2\t5\t1\t840\t-7\t12\t-35\t3\t0\n";
        dir.write("notes.tsv", text);
    }
};

YearOfNotes& year()
{
    static YearOfNotes notes;
    return notes;
}

void BM_ReadAYearOfNotes(benchmark::State& state)
{
    const auto& file = year().file;
    for (auto _ : state) {
        auto table = readHistory(file, {"drill_time", "interval", "accepted", "cents"});
        benchmark::DoNotOptimize(table);
    }
    state.counters["rows"] = double(readHistory(file, {"index"})->rows.size());
}
BENCHMARK(BM_ReadAYearOfNotes)->Unit(benchmark::kMillisecond);

void BM_AppendARowToAYearOfNotes(benchmark::State& state)
{
    HistoryWriter writer(year().file, 1, noteColumns);
    const std::vector<std::string> row = {
        "2027-01-01T10:00:00+01:00", "0", "G4", "+2", "5", "1", "840", "-7", "12", "-35", "3", "0"};
    for (auto _ : state)
        benchmark::DoNotOptimize(writer.append(row));
}
BENCHMARK(BM_AppendARowToAYearOfNotes)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
