#pragma once

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

// Unsigned 8-bit samples at 11025 Hz of a sine of `frequency` Hz with peak
// `amplitude` (in sample steps, at most 127), starting at sample `offset`.
inline std::vector<std::uint8_t> sineBlock(double frequency, int length, double amplitude = 100,
                                           long offset = 0)
{
    std::vector<std::uint8_t> block(length);
    for (int i = 0; i < length; ++i) {
        double x =
            amplitude * std::sin(2 * std::numbers::pi * frequency * double(i + offset) / 11025);
        block[i] = static_cast<std::uint8_t>(128 + std::lround(x));
    }
    return block;
}

inline std::vector<std::uint8_t> silenceBlock(int length)
{
    return std::vector<std::uint8_t>(length, 128);
}

// Frequency of note index `note` (0 = C2) with A4 = 440 Hz.
inline double noteFrequency(int note)
{
    return 440.0 * std::pow(2.0, (note - 33) / 12.0);
}
