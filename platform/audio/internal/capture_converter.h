#pragma once

#include <cstdint>
#include <functional>
#include <span>

struct SRC_STATE_tag;
class SoundLevelMeter;

// Turns mono floating-point samples (-1..1) at the device's rate into the
// capture format: resampled to 11025 Hz (band-limited sinc interpolation)
// and quantised to unsigned 8 bits. Keeps its filter state between calls, so
// a stream may be fed in pieces of any size. Does not allocate after
// construction: it may run in an audio callback. A level meter, when given,
// measures the resampled sound before it is quantised.
class CaptureConverter {
public:
    using Sink = std::function<void(std::span<const std::uint8_t>)>;

    CaptureConverter(int inputRate, Sink sink, SoundLevelMeter* meter = nullptr);
    ~CaptureConverter();
    CaptureConverter(const CaptureConverter&) = delete;
    CaptureConverter& operator=(const CaptureConverter&) = delete;

    // False when the resampler could not be set up (the rate is unusable).
    bool ok() const { return inputRate_ > 0 && (resampler_ || inputRate_ == 11025); }

    void convert(const float* samples, std::size_t count);
    // End of the stream: hands over what the resampler still holds.
    void flush();

    static std::uint8_t quantise(float sample);

private:
    void process(const float* samples, std::size_t count, bool endOfInput);

    int inputRate_;
    double ratio_;
    SRC_STATE_tag* resampler_ = nullptr;
    Sink sink_;
    SoundLevelMeter* meter_;
};
