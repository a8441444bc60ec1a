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

// Stops the fuzzer with `property` on standard error when `holds` is false, so
// that libFuzzer keeps the input that broke it.
void requireProperty(bool holds, const char* property);
