#pragma once

#include "drill/intonation_report.h"
#include "music/melody.h"
#include "voice/note_detector.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// What solfara remembers of one drill and each of its notes, for the practice
// history. A drill runs from the moment its melody may be sung to its last
// accepted note (finished) or to whatever replaced it first: a new drill,
// "Restart", the settings, the end of the program (abandoned).

// One note of the melody, as it went.
struct NoteRecord {
    int index = 0;  // 0 is the first note
    int target = 0; // note index 0..47 as written
    Accidental accidental = Accidental::None;
    int interval = 0; // semitones from the previous note (0 for the first)
    int degree = 0;   // semitones above the key's tonic, 0..11
    bool accepted = false;
    bool skipped = false;         // the space bar accepted it, not the singer
    bool firstTry = false;        // accepted with no other note held or pressed before it
    std::uint32_t msToAccept = 0; // from the note becoming due (Hear's playing aside)
    int wrongBlocks = 0;          // analysed blocks that heard another note
    int octaveBlocks = 0;         // ... the due note in another octave
    int wrongPresses = 0;         // keys or strings pressed that were not the due note
    // How in tune it was sung, for a note accepted with measured blocks.
    std::optional<NoteIntonation> intonation = {};
};

// What the drill was and how it ended.
struct DrillRecord {
    std::string answerMode;     // "microphone", "piano" or "guitar"
    std::string detector;       // "classic" or "precise" for a sung drill, else empty
    std::string sight = "echo"; // "echo": the melody sounded first; "tonic": only the tonic
    std::string key;            // the key's name, as on the menu
    std::string scale;          // the scale's name
    std::string range;          // the voice range's name
    std::string level;          // "Beginner", "Intermediate" or "Advanced"
    std::string source;         // "composed", or the custom melody's name
    std::string tolerance = "any";
    std::uint32_t durationMs = 0;
    int hearPresses = 0;
    bool finished = false;
    std::vector<NoteRecord> notes; // every note of the melody, accepted or not

    // The drill's intonation from its notes' medians; nothing without any.
    std::optional<DrillIntonation> intonation() const;
};

// Where ended drills go (the practice history; nothing in tests).
class DrillLog {
public:
    virtual ~DrillLog() = default;
    virtual void drillEnded(const DrillRecord& record) = 0;
};

// The drill under way, built event by event. Times are milliseconds of one
// clock, passed in.
class DrillRecorder {
public:
    // A new drill of `melody` whose first note is due from `now`, with the facts
    // of `about` (its notes are made here). Drops a drill still under way.
    void begin(const Melody& melody, int tonicPitchClass, DrillRecord about, std::uint32_t now);

    // One analysed block at `now`: a heard note is judged against the due note
    // with `cycles` extra blocks needed to accept; `centsFromDue` is the
    // block's measured pitch against the due note, if it had one (a block the
    // detector could not name may have one too). The blocks near the due note
    // since the last quiet block, the last note far from it or the last block
    // of the note before make up the note as sung.
    // `quarterCents` are the same for the block's quarters, for the spread.
    void heard(const DetectionResult& detection, int cycles,
               std::optional<double> centsFromDue = std::nullopt, std::uint32_t now = 0,
               std::span<const double> quarterCents = {});
    // A key or string pressed and released that was not the due note.
    void wrongPress();
    // "Hear" pressed: until listening starts again the due note's time stands still.
    void hearStarted(std::uint32_t now);
    void hearEnded(std::uint32_t now);
    // The due note accepted at `now`; `skipped` when the space bar did it.
    // Its record, or nothing when no drill was under way.
    const NoteRecord* accepted(std::uint32_t now, bool skipped);

    // Ends the drill at `now`: its record, or nothing when none was under way or
    // nothing happened in it (no note heard, pressed, accepted, no "Hear").
    std::optional<DrillRecord> end(std::uint32_t now);

    // The drill under way as recorded so far (its notes' intonation once accepted).
    const DrillRecord& current() const { return record_; }

private:
    NoteRecord* due();

    DrillRecord record_;
    bool underWay_ = false;
    bool anything_ = false;
    std::uint32_t began_ = 0;
    std::uint32_t dueSince_ = 0;
    std::uint32_t pausedSince_ = 0;
    std::uint32_t lastAccepted_ = 0;
    bool paused_ = false;
    std::size_t dueIndex_ = 0;
    int runNote_ = -1; // the wrong note of the current run of blocks, -1 none
    int runLength_ = 0;
    bool wrongHeld_ = false;             // a wrong note was held long enough to have been accepted
    std::uint32_t onset_ = 0;            // of the due note's readings
    std::vector<CentsReading> readings_; // of the due note as sung since its onset
    std::vector<CentsReading> fine_;     // ... of each block's quarters
};
