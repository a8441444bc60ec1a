#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The timbre names of the Sound page: the lines of "midpatch.h", line i
// naming General MIDI program i. Line ends (LF or CR LF) are removed and each
// name is cut to 47 characters. Nothing when the file cannot be read.
std::vector<std::string> readTimbreNames(const std::filesystem::path& midpatchFile);

inline constexpr std::size_t kTimbreNameLength = 47;
