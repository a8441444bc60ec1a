#pragma once

// A synthetic singer for intonation tests: a voice-like tone (a fundamental
// and falling harmonics) rendered as the capture path delivers it, 8-bit at
// 11025 Hz, with a known offset, vibrato, onset scoop and breath between notes.
#include "platform/testing/sound_samples.h"

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

struct SungNoteShape {
    double cents = 0;           // the note's steady offset from the written pitch
    double vibratoCents = 0;    // peak deviation of the vibrato
    double vibratoHz = 5.5;     // its rate
    double scoopCents = 0;      // the onset starts this far off ...
    double scoopSeconds = 0.12; // ... and glides to the steady pitch in this time
};

class SyntheticSinger {
public:
    static constexpr int rate = 11025;

    // Sings note index `note` (0 = C2, A4 = 440 Hz) for `seconds`.
    void sing(int note, double seconds, const SungNoteShape& shape, double peak = 90)
    {
        const double written = noteFrequency(note);
        const auto count = std::size_t(seconds * rate);
        for (std::size_t i = 0; i < count; ++i) {
            const double t = double(i) / rate;
            double cents = shape.cents;
            cents += shape.vibratoCents * std::sin(2 * std::numbers::pi * shape.vibratoHz * t);
            if (t < shape.scoopSeconds)
                cents += shape.scoopCents * (1 - t / shape.scoopSeconds);
            phase_ += 2 * std::numbers::pi * written * std::pow(2.0, cents / 1200) / rate;
            double wave = 0;
            for (int k = 1; k <= 4; ++k)
                wave += std::sin(k * phase_) / (k * k);
            samples_.push_back(std::uint8_t(128 + std::lround(peak / 1.3 * wave)));
        }
    }

    // Breath between notes: silence.
    void rest(double seconds)
    {
        samples_.resize(samples_.size() + std::size_t(seconds * rate), 128);
    }

    const std::vector<std::uint8_t>& samples() const { return samples_; }

private:
    std::vector<std::uint8_t> samples_;
    double phase_ = 0;
};
