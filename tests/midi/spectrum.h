#pragma once

// Pitch and timbre of what the synthesizer plays.
#include "platform/midi/soundfont_synth.h"
#include "tests/support/sound_samples.h"

#include <algorithm>
#include <vector>

inline double strengthAt(const std::vector<float>& samples, double frequency)
{
    return toneStrength(samples, SoundFontSynth::sampleRate, frequency);
}

// The lowest spectral peak at least a quarter as strong as the strongest,
// to a tenth of a hertz: the fundamental, even where a harmonic is louder.
inline double fundamental(const std::vector<float>& samples)
{
    std::vector<double> spectrum; // 50..2000 Hz
    for (int f = 50; f <= 2000; ++f)
        spectrum.push_back(strengthAt(samples, f));
    const double strongest = *std::max_element(spectrum.begin(), spectrum.end());
    for (std::size_t i = 1; i + 1 < spectrum.size(); ++i) {
        if (spectrum[i] < 0.25 * strongest || spectrum[i] < spectrum[i - 1] ||
            spectrum[i] < spectrum[i + 1])
            continue;
        double best = 0, bestStrength = 0;
        for (double f = 49.0 + double(i); f <= 51.0 + double(i); f += 0.1)
            if (double s = strengthAt(samples, f); s > bestStrength)
                bestStrength = s, best = f;
        return best;
    }
    return 0;
}

// The relative strength of the first eight harmonics: a fingerprint of the timbre.
inline std::vector<double> harmonicProfile(const std::vector<float>& samples, double f0)
{
    std::vector<double> profile;
    double total = 0;
    for (int k = 1; k <= 8; ++k)
        total += profile.emplace_back(strengthAt(samples, f0 * k));
    for (double& p : profile)
        p /= total;
    return profile;
}
