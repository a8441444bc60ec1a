#pragma once

#include "render/progress_page.h"
#include "rhythm/session_history.h"

#include <chrono>
#include <filesystem>

// beatwise's Progress page: sessions a day; for each session the share of
// hits on target, the spread of the timing error and the drift of the tempo;
// and what to practise next.

// The page of `history` (its days and sessions within `period`).
ProgressPage sessionProgressPage(const SessionDays& history, const chart::Period& period);

// The page of the history in `dataDirectory` for the last `days` days up to `now`.
ProgressPage sessionProgressPage(const std::filesystem::path& dataDirectory, int days,
                                 std::chrono::system_clock::time_point now);
