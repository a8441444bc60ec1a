#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

// The readers take file names, so each fuzz input is first written to a file
// of this name in a directory private to the fuzzing process (removed when
// the process ends normally).
std::filesystem::path writeScratchFile(const std::string& name, const std::uint8_t* data,
                                       std::size_t size);

// The directory that writeScratchFile writes into.
const std::filesystem::path& scratchDirectory();

// Stops the fuzzer with `property` on standard error, so that libFuzzer keeps
// the input that broke it.
[[noreturn]] void reportBrokenProperty(const char* property);

// `holds` is a bool, or the outcome of an operation that can fail (anything
// that converts to bool explicitly, as Status and Result do).
template <typename Outcome> void requireProperty(const Outcome& holds, const char* property)
{
    if (!static_cast<bool>(holds))
        reportBrokenProperty(property);
}
