#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

// `time` in the local time zone as ISO 8601 with its offset, to the second:
// "2026-12-07T18:05:09+01:00".
std::string isoLocalTime(std::chrono::system_clock::time_point time);

// The date part ("2026-12-07") of such a text; empty when it has none.
std::string isoDateOf(std::string_view isoTime);

// Days from date `from` to date `to` (both YYYY-MM-DD), negative when `to` is
// earlier; nothing when either is no valid date.
std::optional<int> daysBetween(const std::string& from, const std::string& to);
