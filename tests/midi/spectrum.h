#pragma once

// Small spectral measurements for the sound the synthesizer makes.
#include "platform/midi/soundfont_synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

inline std::vector<float> leftChannel(const std::vector<float>& stereo)
{
    std::vector<float> left;
    for (std::size_t i = 0; i < stereo.size(); i += 2)
        left.push_back(stereo[i]);
    return left;
}

inline double rms(const std::vector<float>& samples)
{
    double sum = 0;
    for (float s : samples)
        sum += double(s) * s;
    return samples.empty() ? 0 : std::sqrt(sum / double(samples.size()));
}

// Magnitude of one frequency in a Hann-windowed block (Goertzel).
inline double magnitudeAt(const std::vector<float>& samples, double frequency)
{
    const double w = 2 * std::numbers::pi * frequency / SoundFontSynth::sampleRate;
    const double coefficient = 2 * std::cos(w);
    const double n = double(samples.size());
    double s1 = 0, s2 = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        double hann = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * double(i) / (n - 1));
        double s0 = samples[i] * hann + coefficient * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    return std::sqrt(s1 * s1 + s2 * s2 - coefficient * s1 * s2);
}

// The lowest spectral peak that is at least a quarter of the strongest one:
// the fundamental, even where a harmonic is louder.
inline double fundamental(const std::vector<float>& samples)
{
    std::vector<double> spectrum;
    for (int f = 50; f <= 2000; ++f)
        spectrum.push_back(magnitudeAt(samples, f));
    double strongest = *std::max_element(spectrum.begin(), spectrum.end());
    for (std::size_t i = 1; i + 1 < spectrum.size(); ++i) {
        if (spectrum[i] >= 0.25 * strongest && spectrum[i] >= spectrum[i - 1] &&
            spectrum[i] >= spectrum[i + 1]) {
            // refine to a tenth of a hertz around the peak
            double best = 50.0 + double(i), bestMagnitude = 0;
            for (double f = best - 1; f <= best + 1; f += 0.1) {
                double m = magnitudeAt(samples, f);
                if (m > bestMagnitude) {
                    bestMagnitude = m;
                    best = f;
                }
            }
            return best;
        }
    }
    return 0;
}

// The relative strength of the first eight harmonics: a fingerprint of the timbre.
inline std::vector<double> harmonicProfile(const std::vector<float>& samples, double f0)
{
    std::vector<double> profile;
    double total = 0;
    for (int k = 1; k <= 8; ++k) {
        profile.push_back(magnitudeAt(samples, f0 * k));
        total += profile.back();
    }
    for (double& p : profile)
        p /= total;
    return profile;
}
