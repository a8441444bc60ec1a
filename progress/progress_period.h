#pragma once

#include "base/result.h"
#include "render/progress_page.h"

#include <chrono>
#include <optional>
#include <string>

// The last `days` days up to `now`, today among them, as the charts span them.
chart::Period progressPeriod(int days, std::chrono::system_clock::time_point now);

// Where day `date` (YYYY-MM-DD) falls in `period`: 0 for its first day; nothing
// outside it or for no valid date.
std::optional<int> dayInPeriod(const chart::Period& period, const std::string& date);

// "78 %", "2.1 s": a figure with `decimals` digits and its unit.
std::string figureWithUnit(double value, int decimals, const std::string& unit);

// The change from the first half of `values` (in day order) to the second,
// as " (+6)", to follow a figure; empty with fewer than two values.
std::string changeOverPeriod(const std::vector<double>& values, int decimals);

// The page of a history as read: made by `make` from it, with the damaged lines
// that were skipped told after the advice; or, when the history could not be
// read, the empty page with the reason.
template <typename History, typename Make>
ProgressPage pageOfHistory(const Result<History>& read, const chart::Period& period, Make make)
{
    if (!read) {
        ProgressPage page = make(History{}, period);
        page.advice = "The practice history cannot be read: " + read.status().message();
        return page;
    }
    ProgressPage page = make(*read, period);
    if (read->damaged > 0)
        page.advice += "  (" + std::to_string(read->damaged) + " damaged lines skipped)";
    return page;
}
