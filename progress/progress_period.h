#pragma once

#include "render/progress_chart.h"

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
