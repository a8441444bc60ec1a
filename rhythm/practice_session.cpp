#include "rhythm/practice_session.h"

#include <algorithm>

void PracticeSession::hit(std::uint32_t time, const JudgedHit& judged, int tempo, Input input,
                          bool metronomeRunning)
{
    // A session's first hit starts it afresh, whenever the hit before it was.
    const bool first = record_.hits == 0;
    if (first)
        firstHit_ = time;
    ++record_.hits;
    record_.tempo = tempo;
    (input == Input::Midi ? record_.midi : record_.keyboard) = true;
    record_.metronome = record_.metronome || metronomeRunning;
    if (judged.onTarget) {
        ++record_.onTarget;
        record_.longestRun = std::max(record_.longestRun, ++run_);
    } else {
        run_ = 0;
    }
    if (!first && judged.intervalMs > 0 && tempo > 0)
        timing_.add(time, judged.intervalMs, beatLength(static_cast<std::uint32_t>(tempo)));
}

std::optional<SessionRecord> PracticeSession::end(std::uint32_t now)
{
    if (record_.hits == 0)
        return std::nullopt;
    SessionRecord ended = record_;
    ended.durationMs = now - firstHit_;
    ended.timing = timing_.summary();
    *this = PracticeSession();
    return ended;
}
