#pragma once

// Pitch and timbre of what the synthesizer plays.
#include "platform/midi/internal/soundfont_synth.h"
#include "platform/testing/sound_samples.h"

#include <gtest/gtest.h>

#include <vector>

inline double strengthAt(const std::vector<float>& samples, double frequency)
{
    return toneStrength(samples, SoundFontSynth::sampleRate, frequency);
}

// The sound is A4: 440 Hz well above the semitones beside it and the octave
// below (where a harmonic of a lower note would put it).
inline void expectA4(const std::vector<float>& sound)
{
    const double a4 = strengthAt(sound, 440);
    for (double other : {220.0, 415.3, 466.2})
        EXPECT_GT(a4, 3 * strengthAt(sound, other)) << other << " Hz";
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
