#pragma once

#include <cmath>
#include <complex>
#include <cstdint>
#include <numbers>
#include <span>

// Strength of `frequency` in unsigned 8-bit samples at 11025 Hz (one DFT bin,
// normalised so a full-scale sine gives about 1).
inline double toneStrength(std::span<const std::uint8_t> samples, double frequency)
{
    std::complex<double> sum = 0;
    for (std::size_t i = 0; i < samples.size(); ++i)
        sum += (double(samples[i]) - 128.0) / 128.0 *
               std::polar(1.0, -2 * std::numbers::pi * frequency * double(i) / 11025);
    return 2 * std::abs(sum) / double(samples.size());
}
