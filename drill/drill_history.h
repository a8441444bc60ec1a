#pragma once

#include "base/result.h"
#include "drill/drill_record.h"
#include "history/history_log.h"

#include <chrono>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

// solfara's practice history: one row per drill in the drills file and one
// per note in the notes file of its data directory (history/history_log.h has
// the files' rules). A note row carries its drill's time, which joins the two.
inline constexpr const char* kDrillsFileName = "drills.tsv";
inline constexpr const char* kNotesFileName = "notes.tsv";

// Writes each ended drill as a row and its notes as rows; the time is when
// the drill began.
class DrillHistory {
public:
    explicit DrillHistory(const std::filesystem::path& dataDirectory);
    Status append(const DrillRecord& record, std::chrono::system_clock::time_point endedAt);

private:
    HistoryWriter drills_;
    HistoryWriter notes_;
};

// "C4", "F#3", "Bb4": a note index (0 is C2) as written with `accidental`.
std::string writtenNoteName(int noteIndex, Accidental accidental);
// "1", "b3", "#4" ...: a degree in semitones above the tonic, 0..11.
std::string scaleDegreeName(int degree);
// "unison", "m3 up", "P5 down", "octave up", "M9 down" ...: an interval in semitones.
std::string intervalName(int semitones);

// One day of drills, summed up.
struct DrillDay {
    std::string date; // YYYY-MM-DD, local time
    int drills = 0;
    int finished = 0;
    int notes = 0;    // sung or answered notes accepted (the space bar's aside)
    int firstTry = 0; // of those, right at the first try
    double medianSecondsToNote = 0;
    int centsNotes = 0;     // notes with a cents median
    double centsMedian = 0; // of |cents median| over the day's notes
    double centsLowQuartile = 0;
    double centsHighQuartile = 0;

    int firstTryPercent() const { return notes ? firstTry * 100 / notes : 0; }
};

// How notes of one kind (an interval, a scale degree) went.
struct NoteKindResult {
    int kind = 0; // the interval or degree in semitones
    int notes = 0;
    int firstTry = 0;
    double firstTryShare() const { return notes ? double(firstTry) / notes : 0; }
};

struct DrillProgress {
    std::vector<DrillDay> days;            // in date order, days with drills only
    std::vector<NoteKindResult> intervals; // from `kindsFrom` on, worst first
    std::vector<NoteKindResult> degrees;   // likewise
    int damaged = 0;                       // rows of either file that could not be read
};

// At least this many notes of an interval or degree rank it among the worst.
inline constexpr int kNotesToRank = 3;

// The days from `firstDate` on (YYYY-MM-DD; empty: all), and the intervals and
// degrees of the notes from `kindsFrom` on, worst first.
Result<DrillProgress> readDrillProgress(const std::filesystem::path& dataDirectory,
                                        const std::string& firstDate, const std::string& kindsFrom);

// `solfara --history`: one line per day with drills, or with `csv` every drill
// row (with `notes` every note row) as comma-separated values.
Status printDrillHistory(const std::filesystem::path& dataDirectory, int days, bool csv, bool notes,
                         std::chrono::system_clock::time_point now, std::ostream& out);
