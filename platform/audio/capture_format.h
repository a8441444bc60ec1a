#pragma once

#include <cstddef>
#include <cstdint>

// The one capture format of the program: unsigned 8-bit mono samples
// (silence = 128) at 11025 samples per second, in blocks of 1024 or 2048.
inline constexpr int captureSampleRate = 11025;
inline constexpr std::size_t shortBlockLength = 1024;
inline constexpr std::size_t longBlockLength = 2048;
inline constexpr std::uint8_t silentSample = 128;
