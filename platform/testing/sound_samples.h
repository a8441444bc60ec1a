#pragma once

// Test sounds and their measurement: sines as float samples or as the
// unsigned 8-bit 11025 Hz blocks the capture path delivers, and the strength
// of one frequency in a recording.
#include <cmath>
#include <cstdint>
#include <numbers>
#include <span>
#include <vector>

// Frequency of note index `note` (0 = C2) with A4 = 440 Hz.
inline double noteFrequency(int note)
{
    return 440.0 * std::pow(2.0, (note - 33) / 12.0);
}

// `count` samples at `rate` of a sine of `frequency` Hz with peak `amplitude`.
inline std::vector<float> sine(double frequency, int rate, std::size_t count,
                               double amplitude = 0.5)
{
    std::vector<float> samples(count);
    for (std::size_t i = 0; i < count; ++i)
        samples[i] =
            float(amplitude * std::sin(2 * std::numbers::pi * frequency * double(i) / rate));
    return samples;
}

// 8-bit samples at 11025 Hz (128 is silence) of a sine whose peak is
// `amplitude` sample steps (at most 127).
inline std::vector<std::uint8_t> sineBlock(double frequency, int length, double amplitude = 100)
{
    std::vector<std::uint8_t> block;
    for (int i = 0; i < length; ++i)
        block.push_back(std::uint8_t(
            128 + std::lround(amplitude * std::sin(2 * std::numbers::pi * frequency * i / 11025))));
    return block;
}

inline std::vector<std::uint8_t> silenceBlock(int length)
{
    return std::vector<std::uint8_t>(std::size_t(length), 128);
}

inline double rms(std::span<const float> samples)
{
    double sum = 0;
    for (float s : samples)
        sum += double(s) * s;
    return samples.empty() ? 0 : std::sqrt(sum / double(samples.size()));
}

// Peak amplitude of `frequency` in `samples` at `rate` (a Hann-windowed
// Goertzel filter): a sine of peak A gives about A.
inline double toneStrength(std::span<const float> samples, int rate, double frequency)
{
    const double coefficient = 2 * std::cos(2 * std::numbers::pi * frequency / rate);
    const double n = double(samples.size());
    double s1 = 0, s2 = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double hann = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * double(i) / (n - 1));
        const double s0 = samples[i] * hann + coefficient * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    return 4 * std::sqrt(s1 * s1 + s2 * s2 - coefficient * s1 * s2) / n;
}

// The same for 8-bit capture samples at 11025 Hz, full scale being 1.
inline double toneStrength(std::span<const std::uint8_t> samples, double frequency)
{
    std::vector<float> centred;
    for (std::uint8_t s : samples)
        centred.push_back((float(s) - 128) / 128);
    return toneStrength(centred, 11025, frequency);
}

// Where the sound starts again after a silence, in frames: the first sample
// above `quiet` of each sound that then grows louder than `loud`.
inline std::vector<std::size_t> soundOnsets(const std::vector<float>& sound, float loud,
                                            float quiet)
{
    constexpr std::size_t silence = 1000; // frames below `quiet` that part two sounds
    std::vector<std::size_t> found;
    std::size_t quietFor = silence, riseStart = 0;
    bool armed = true;
    for (std::size_t i = 0; i < sound.size(); ++i) {
        const float level = std::abs(sound[i]);
        if (level < quiet) {
            if (++quietFor >= silence)
                armed = true;
            continue;
        }
        if (quietFor > 0)
            riseStart = i;
        quietFor = 0;
        if (armed && level > loud) {
            found.push_back(riseStart);
            armed = false;
        }
    }
    return found;
}
