// Any bytes as solfara's notes file: reading it never fails, every row counts
// either as a note or as damaged, and a drill appended after the damage reads
// back whole, whatever the file held before.
#include "drill/drill_history.h"
#include "fuzz/scratch_file.h"

#include <chrono>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto file = writeScratchFile(kNotesFileName, data, size);
    const auto directory = file.parent_path();
    std::filesystem::remove(directory / kDrillsFileName);
    requireProperty(readDrillProgress(directory, "", "").ok(), "a damaged notes file still reads");

    DrillRecord drill;
    drill.finished = true;
    for (int n = 0; n < 3; ++n)
        drill.notes.push_back({.index = n, .target = 24 + n, .accepted = true, .firstTry = true});
    const auto noon =
        std::chrono::sys_days{std::chrono::year{2100} / 1 / 1} + std::chrono::hours(12);
    requireProperty(DrillHistory(directory).append(drill, noon).ok(), "a drill can be appended");
    auto after = readDrillProgress(directory, "2099-12-31", "2099-12-31");
    requireProperty(after.ok(), "the notes file reads after the append");
    bool found = false;
    for (const DrillDay& day : after->days)
        found = found || (day.date >= "2099-12-31" && day.notes >= 3 && day.drills == 1);
    requireProperty(found, "the appended drill reads back");
    return 0;
}
