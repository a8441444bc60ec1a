#pragma once

#include "rhythm/pulse_judge.h"
#include "rhythm/session_timing.h"

#include <cstdint>
#include <optional>

// What beatwise remembers of one session: from its first hit to Esc, F1, a
// tempo change or the end of the program.
struct SessionRecord {
    std::uint32_t durationMs = 0; // from the first hit to the end
    int tempo = 0;                // beats per minute
    bool keyboard = false;        // some hits came from the computer keyboard
    bool midi = false;            // some from a MIDI keyboard
    bool metronome = false;       // the metronome ticked at some hit
    std::uint32_t hits = 0;
    std::uint32_t onTarget = 0;
    std::uint32_t longestRun = 0; // on-target hits in a row
    SessionTiming::Summary timing;

    int onTargetPercent() const { return hits == 0 ? 0 : static_cast<int>(onTarget * 100 / hits); }
};

// Where ended sessions go (the practice history; nothing in tests).
class SessionLog {
public:
    virtual ~SessionLog() = default;
    virtual void sessionEnded(const SessionRecord& record) = 0;
};

// The session under way, built hit by hit. Times are milliseconds of one
// clock, passed in.
class PracticeSession {
public:
    enum class Input { Keyboard, Midi };

    void hit(std::uint32_t time, const JudgedHit& judged, int tempo, Input input,
             bool metronomeRunning);
    // Ends the session at `now`: its record, or nothing when it had no hit.
    std::optional<SessionRecord> end(std::uint32_t now);
    // The tempo of the session's hits; nothing before its first hit.
    std::optional<int> tempo() const
    {
        return record_.hits > 0 ? std::optional<int>(record_.tempo) : std::nullopt;
    }

private:
    SessionRecord record_;
    SessionTiming timing_;
    std::uint32_t firstHit_ = 0;
    std::uint32_t run_ = 0;
};
