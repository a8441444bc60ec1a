#pragma once

// What a PulseAudio server's speakers play, recorded from the default sink's
// monitor: the private server of the end-to-end tests, whose speakers are a
// null sink.
#include "platform/midi/internal/soundfont_synth.h"

#include <pulse/simple.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

// Records mono float samples from the default sink's monitor until destroyed.
class MonitorRecorder {
public:
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
                    std::lock_guard lock(mutex_);
                    samples_.insert(samples_.end(), chunk.begin(), chunk.end());
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
        return std::exchange(samples_, {});
    }

private:
    pa_simple* stream_ = nullptr;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<float> samples_;
};
