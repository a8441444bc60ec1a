#pragma once

#include <atomic>

// A sine tone of a set pitch and length, written into audio buffers by the
// audio thread while the GUI thread starts tones. A new tone replaces the one
// sounding. Short fades at both ends keep the tone free of clicks.
class ToneGenerator {
public:
    explicit ToneGenerator(int sampleRate) : sampleRate_(sampleRate) {}

    // Called from any thread.
    void start(double frequencyHz, int milliseconds);

    // Called from the audio thread: fills `frames` mono samples.
    void render(float* out, unsigned frames);

    bool sounding() const { return remaining_.load(std::memory_order_acquire) > 0; }

private:
    int sampleRate_;
    std::atomic<double> frequency_{0};
    std::atomic<int> length_{0};
    std::atomic<int> remaining_{0};
    double phase_ = 0; // audio thread only
};
