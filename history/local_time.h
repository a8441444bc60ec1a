#pragma once

#include <chrono>
#include <string>

// `time` in the local time zone as ISO 8601 with its offset, to the second:
// "2026-12-07T18:05:09+01:00".
std::string isoLocalTime(std::chrono::system_clock::time_point time);

// The date part ("2026-12-07") of such a text; empty when it has none.
std::string isoDateOf(const std::string& isoTime);
