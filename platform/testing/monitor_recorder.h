#pragma once

// What a PulseAudio server's speakers play, recorded from the default sink's
// monitor: the private server of the end-to-end tests, whose speakers are a
// null sink.
#include "platform/midi/internal/soundfont_synth.h"

#include <pulse/simple.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

// Records mono float samples from the default sink's monitor until destroyed.
// It also keeps a timeline: the steady-clock time at which each recorded
// sample reached the monitor, that is, left the server's sink. A read returns
// as soon as the server hands over a 10 ms fragment, so the earliest return
// seen, less the sound it brought, places every sample (to within the sink's
// own block, which the measurement states).
class MonitorRecorder {
public:
    using Clock = std::chrono::steady_clock;

    explicit MonitorRecorder(const char* server)
    {
        pa_sample_spec format{PA_SAMPLE_FLOAT32LE, SoundFontSynth::sampleRate, 1};
        pa_buffer_attr attr{};
        attr.maxlength = static_cast<std::uint32_t>(-1);
        attr.fragsize = 441 * sizeof(float);
        stream_ = pa_simple_new(server, "solfara-test", PA_STREAM_RECORD, "@DEFAULT_MONITOR@",
                                "monitor", &format, nullptr, &attr, nullptr);
        if (stream_)
            thread_ = std::thread([this] {
                std::vector<float> chunk(441);
                while (!stop_ && pa_simple_read(stream_, chunk.data(), chunk.size() * sizeof(float),
                                                nullptr) >= 0) {
                    const Clock::time_point now = Clock::now();
                    std::lock_guard lock(mutex_);
                    samples_.insert(samples_.end(), chunk.begin(), chunk.end());
                    recorded_ += chunk.size();
                    const Clock::time_point first = now - durationOf(recorded_);
                    if (!anchored_ || first < firstSampleAt_)
                        firstSampleAt_ = first;
                    anchored_ = true;
                }
            });
    }
    ~MonitorRecorder()
    {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
        if (stream_)
            pa_simple_free(stream_);
    }
    bool isOpen() const { return stream_ != nullptr; }

    // Everything recorded since the last call.
    std::vector<float> take()
    {
        std::lock_guard lock(mutex_);
        lastTaken_ = taken_;
        taken_ += samples_.size();
        return std::exchange(samples_, {});
    }

    // When the sample at `index` of what the last take() returned left the sink.
    Clock::time_point timeOfTaken(std::size_t index) const
    {
        std::lock_guard lock(mutex_);
        return firstSampleAt_ + durationOf(lastTaken_ + index);
    }

private:
    static Clock::duration durationOf(std::size_t samples)
    {
        return std::chrono::duration_cast<Clock::duration>(
            std::chrono::duration<double>(double(samples) / SoundFontSynth::sampleRate));
    }

    pa_simple* stream_ = nullptr;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<float> samples_;
    std::size_t recorded_ = 0, taken_ = 0, lastTaken_ = 0;
    bool anchored_ = false;
    Clock::time_point firstSampleAt_;
};
