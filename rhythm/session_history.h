#pragma once

#include "base/result.h"
#include "history/history_log.h"
#include "rhythm/practice_session.h"

#include <chrono>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

// beatwise's practice history: one row per session in the sessions file of
// its data directory (history/history_log.h has the file's rules).
inline constexpr const char* kSessionsFileName = "sessions.tsv";

// Writes each ended session as a row; the row's time is when it began.
class SessionHistory {
public:
    explicit SessionHistory(std::filesystem::path dataDirectory);
    // `endedAt` is the wall-clock time the session ended.
    Status append(const SessionRecord& record, std::chrono::system_clock::time_point endedAt);

private:
    HistoryWriter writer_;
};

// One day of sessions, summed up.
struct SessionDay {
    std::string date; // YYYY-MM-DD, local time
    int sessions = 0;
    long hits = 0;
    long onTarget = 0;
    long intervals = 0;
    double meanErrorMs = 0;       // over the day's intervals
    double errorSpreadMs = 0;     // the sessions' spreads, weighted by their intervals
    double driftBpmPerMinute = 0; // the sessions' drifts, weighted likewise
};

// One session as the Progress window plots it.
struct SessionPoint {
    std::string date;       // YYYY-MM-DD, local time
    double dayFraction = 0; // the time of its start within the day, 0..1
    int onTargetPercent = 0;
    double errorSpreadMs = 0;
    double driftBpmPerMinute = 0;
    long intervals = 0; // the timing figures count these
};

// The days of the sessions file from `firstDate` (YYYY-MM-DD; empty: all) on,
// in date order, and how many rows were damaged.
struct SessionDays {
    std::vector<SessionDay> days;
    std::vector<SessionPoint> sessions; // in the file's order
    int damaged = 0;
};
Result<SessionDays> readSessionDays(const std::filesystem::path& dataDirectory,
                                    const std::string& firstDate);

// `beatwise --history`: one line per day with sessions, or with `csv` every
// row as comma-separated values under a line of column names.
Status printSessionHistory(const std::filesystem::path& dataDirectory, int days, bool csv,
                           std::chrono::system_clock::time_point now, std::ostream& out);
