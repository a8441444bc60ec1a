#pragma once

#include "drill/drill_history.h"
#include "render/progress_page.h"

#include <chrono>
#include <filesystem>

// solfara's Progress page: drills a day, the share of notes right at the first
// try, the median time to a note, how far off in cents with its spread; the
// intervals and scale degrees that went worst over 30 days, and what to
// practise next.

// The page of `progress` (its days within `period`, its kinds over 30 days).
ProgressPage drillProgressPage(const DrillProgress& progress, const chart::Period& period);

// The page of the history in `dataDirectory` for the last `days` days up to `now`.
ProgressPage drillProgressPage(const std::filesystem::path& dataDirectory, int days,
                               std::chrono::system_clock::time_point now);
