#pragma once

#include "base/quantile.h"
#include "history/history_log.h"

#include <chrono>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// What both programs' history readers and printers share: reading a figure
// back from a row, choosing the first day of a period (base/quantile.h the
// quantiles of a day's figures), and exporting rows as comma-separated values.

// `value` written with `decimals` digits after the point ("12.5").
std::string historyDecimal(double value, int decimals);

// A figure of a row: empty is 0; anything else must be a finite number and,
// for a count, a whole one from 0 to a billion. Nothing for a damaged figure.
std::optional<double> historyFigure(std::string_view text, bool count = false);

// The date (YYYY-MM-DD, local time) of the first of the last `days` days up
// to `now`; empty (every day) when `days` is 0 or less.
std::string firstDateOfLastDays(int days, std::chrono::system_clock::time_point now);

// `columns` as a line of names, then each row of `table` dated `firstDate` or
// later (its first column is the time) as comma-separated values.
void writeCsv(const HistoryTable& table, const std::vector<std::string>& columns,
              const std::string& firstDate, std::ostream& out);
