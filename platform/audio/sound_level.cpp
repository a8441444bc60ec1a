#include "platform/audio/sound_level.h"

#include <algorithm>
#include <bit>
#include <cmath>

float dbfsOf(double amplitude)
{
    if (!(amplitude > 0.0))
        return kSilenceDbfs;
    return std::max(kSilenceDbfs, float(20.0 * std::log10(amplitude)));
}

SoundLevel measureSoundLevel(std::span<const float> samples)
{
    if (samples.empty())
        return {};
    double sum = 0.0;
    float peak = 0.0f;
    for (float s : samples) {
        sum += double(s) * s;
        peak = std::max(peak, std::fabs(s));
    }
    return {dbfsOf(peak), dbfsOf(std::sqrt(sum / double(samples.size())))};
}

void SoundLevelMeter::feed(const float* samples, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        const float s = samples[i];
        sumOfSquares_ += double(s) * s;
        peak_ = std::max(peak_, std::fabs(s));
        if (++counted_ < kWindowSamples)
            continue;
        const SoundLevel level{dbfsOf(peak_), dbfsOf(std::sqrt(sumOfSquares_ / double(counted_)))};
        const std::uint64_t packed =
            (std::uint64_t(std::bit_cast<std::uint32_t>(level.peakDbfs)) << 32) |
            std::bit_cast<std::uint32_t>(level.rmsDbfs);
        published_.store(packed, std::memory_order_release);
        readings_.fetch_add(1, std::memory_order_acq_rel);
        sumOfSquares_ = 0.0;
        peak_ = 0.0f;
        counted_ = 0;
    }
}

SoundLevel SoundLevelMeter::latest() const
{
    if (readings() == 0)
        return {};
    const std::uint64_t packed = published_.load(std::memory_order_acquire);
    return {std::bit_cast<float>(std::uint32_t(packed >> 32)),
            std::bit_cast<float>(std::uint32_t(packed))};
}
