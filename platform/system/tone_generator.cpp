#include "platform/system/tone_generator.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr float amplitude = 0.3f;
constexpr int fadeMilliseconds = 3;
} // namespace

void ToneGenerator::start(double frequencyHz, int milliseconds)
{
    int length = std::max(0, milliseconds) * sampleRate_ / 1000;
    frequency_.store(frequencyHz, std::memory_order_relaxed);
    length_.store(length, std::memory_order_relaxed);
    remaining_.store(length, std::memory_order_release);
}

void ToneGenerator::render(float* out, unsigned frames)
{
    const int fade = fadeMilliseconds * sampleRate_ / 1000;
    for (unsigned i = 0; i < frames; ++i) {
        int remaining = remaining_.load(std::memory_order_acquire);
        if (remaining <= 0) {
            out[i] = 0;
            continue;
        }
        int length = length_.load(std::memory_order_relaxed);
        double step =
            2 * std::numbers::pi * frequency_.load(std::memory_order_relaxed) / sampleRate_;
        int done = length - remaining;
        float envelope = std::min({1.0f, float(done) / fade, float(remaining) / fade});
        out[i] = amplitude * envelope * float(std::sin(phase_));
        phase_ = std::fmod(phase_ + step, 2 * std::numbers::pi);
        // A tone started meanwhile wins over this countdown.
        remaining_.compare_exchange_strong(remaining, remaining - 1, std::memory_order_acq_rel);
    }
}
