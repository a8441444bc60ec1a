#include "platform/audio/internal/capture_converter.h"

#include "platform/audio/capture_format.h"
#include "platform/audio/sound_level.h"

#include <samplerate.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace {
constexpr std::size_t chunkFrames = 1024;
} // namespace

CaptureConverter::CaptureConverter(int inputRate, Sink sink, SoundLevelMeter* meter)
    : inputRate_(inputRate), ratio_(inputRate > 0 ? double(captureSampleRate) / inputRate : 0),
      sink_(std::move(sink)), meter_(meter)
{
    // libsamplerate supports ratios from 1/256 to 256.
    if (inputRate_ > 0 && inputRate_ != captureSampleRate && ratio_ >= 1.0 / 256 && ratio_ <= 256) {
        int error = 0;
        resampler_ = src_new(SRC_SINC_FASTEST, 1, &error);
    }
}

CaptureConverter::~CaptureConverter()
{
    if (resampler_)
        src_delete(resampler_);
}

std::uint8_t CaptureConverter::quantise(float sample)
{
    const long value = std::lround(double(sample) * 128.0) + 128;
    return static_cast<std::uint8_t>(std::clamp(value, 0L, 255L));
}

void CaptureConverter::convert(const float* samples, std::size_t count)
{
    process(samples, count, false);
}

void CaptureConverter::flush()
{
    process(nullptr, 0, true);
}

void CaptureConverter::process(const float* samples, std::size_t count, bool endOfInput)
{
    if (!ok())
        return;
    std::array<float, chunkFrames * 2> resampled;
    std::array<std::uint8_t, chunkFrames * 2> quantised;
    auto emit = [&](const float* from, std::size_t n) {
        if (meter_)
            meter_->feed(from, n);
        for (std::size_t i = 0; i < n; ++i)
            quantised[i] = quantise(from[i]);
        if (n > 0)
            sink_({quantised.data(), n});
    };
    if (!resampler_) {
        for (std::size_t done = 0; done < count; done += resampled.size())
            emit(samples + done, std::min(resampled.size(), count - done));
        return;
    }
    // Enough input per pass that the output always fits the buffer.
    const std::size_t inputPerPass =
        std::clamp<std::size_t>(std::size_t(double(resampled.size()) / ratio_) - 2, 1, chunkFrames);
    auto pass = [&](const float* in, std::size_t n, bool last) {
        SRC_DATA data{};
        data.data_in = in;
        data.input_frames = long(n);
        data.data_out = resampled.data();
        data.output_frames = long(resampled.size());
        data.src_ratio = ratio_;
        data.end_of_input = last ? 1 : 0;
        if (src_process(resampler_, &data) != 0)
            return std::pair<std::size_t, std::size_t>{0, 0};
        emit(resampled.data(), std::size_t(data.output_frames_gen));
        return std::pair{std::size_t(data.input_frames_used), std::size_t(data.output_frames_gen)};
    };
    for (std::size_t done = 0; done < count;) {
        auto [used, made] = pass(samples + done, std::min(inputPerPass, count - done), false);
        if (used == 0 && made == 0)
            break;
        done += used;
    }
    if (endOfInput) {
        // Drain the filter's tail.
        for (int i = 0; i < 64; ++i)
            if (pass(nullptr, 0, true).second == 0)
                break;
    }
}
