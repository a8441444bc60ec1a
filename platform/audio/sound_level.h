#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <span>

// How loud the microphone is, in decibels relative to full scale (0 dBFS is
// the loudest sample the capture format holds).
struct SoundLevel {
    float peakDbfs = -100.0f; // the largest sample of the window
    float rmsDbfs = -100.0f;  // the window's root mean square
};

// The quietest level reported: digital silence and anything below it.
inline constexpr float kSilenceDbfs = -100.0f;

// 20·log10 of an amplitude of full scale 1, never below kSilenceDbfs.
float dbfsOf(double amplitude);

// Peak and RMS of samples of full scale 1.
SoundLevel measureSoundLevel(std::span<const float> samples);

// Measures the captured sound in windows of 40 ms at the capture rate
// (25 readings a second), before it is quantised to the capture format, so
// that levels far below one step of 8 bits can still be read.
//
// Threads: `feed` on the recording thread only; `latest` and `readings` on
// any thread, without locks.
class SoundLevelMeter {
public:
    static constexpr std::size_t kWindowSamples = 441; // 40 ms at 11025 Hz

    void feed(const float* samples, std::size_t count);

    SoundLevel latest() const;
    // How many windows have been measured: a reader sees whether a new one came.
    std::uint32_t readings() const { return readings_.load(std::memory_order_acquire); }

private:
    std::atomic<std::uint64_t> published_{0}; // both levels packed as two floats
    std::atomic<std::uint32_t> readings_{0};
    // Recording thread only.
    double sumOfSquares_ = 0.0;
    float peak_ = 0.0f;
    std::size_t counted_ = 0;
};
