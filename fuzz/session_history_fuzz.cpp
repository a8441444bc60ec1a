// Any bytes as beatwise's sessions file: reading it never fails, every row
// counts either as a row or as damaged, and a session appended after the
// damage reads back whole, whatever the file held before.
#include "fuzz/scratch_file.h"
#include "rhythm/session_history.h"

#include <chrono>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto file = writeScratchFile(kSessionsFileName, data, size);
    const auto directory = file.parent_path();
    auto before = readSessionDays(directory, "");
    requireProperty(before.ok(), "a damaged sessions file still reads");

    SessionRecord session;
    session.tempo = 80;
    session.hits = 7;
    session.onTarget = 5;
    const auto noon =
        std::chrono::sys_days{std::chrono::year{2100} / 1 / 1} + std::chrono::hours(12);
    requireProperty(SessionHistory(directory).append(session, noon).ok(),
                    "a session can be appended");
    auto after = readSessionDays(directory, "2099-12-31");
    requireProperty(after.ok(), "the sessions file reads after the append");
    bool found = false;
    for (const SessionDay& day : after->days)
        found = found || (day.date >= "2099-12-31" && day.hits >= 7);
    requireProperty(found, "the appended session reads back");
    return 0;
}
