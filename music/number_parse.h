#pragma once

#include <cstdint>
#include <string_view>

// Reads a decimal number the way the program's data files have always been
// read: leading white space is skipped, one optional sign is honoured, and the
// digits that follow are accumulated in 32-bit arithmetic that wraps around on
// overflow. The first non-digit ends the number; no digits give 0.
// So "4294967295" reads as -1 and "440Hz" as 440.
std::int32_t parseWrappingInt(std::string_view text);
