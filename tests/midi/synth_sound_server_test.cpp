// The built-in synthesizer port sounding through a real PulseAudio server: a
// private one started by the CI script, whose speakers are a null sink. The
// test records the sink's monitor and listens for the note it played.
#include "midi/midi_messages.h"
#include "platform/midi/library_chatter.h"
#include "platform/midi/synth_output_port.h"
#include "tests/midi/spectrum.h"
#include "tests/support/pinned_soundfonts.h"

#include <gtest/gtest.h>
#include <pulse/simple.h>

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace {

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

TEST(SynthThroughSoundServer, PlaysTheNoteItIsSent)
{
    const char* server = std::getenv("SOLFARA_TEST_PULSE_SERVER");
    if (!server)
        GTEST_SKIP() << "no private PulseAudio server (see .ci/run)";
    setenv("PULSE_SERVER", server, 1);
    setMidiLibraryChatter(false);

    MonitorRecorder recorder(server);
    ASSERT_TRUE(recorder.isOpen());
    ASSERT_TRUE(timGm6mb.installed());
    auto opened = SynthOutputPort::open(timGm6mb.path.string());
    ASSERT_TRUE(opened.port) << opened.error;
    EXPECT_EQ(static_cast<SynthOutputPort&>(*opened.port).audioDriver(), "pulseaudio");

    // An idle null sink hands out audio in two-second blocks: let it settle.
    std::this_thread::sleep_for(std::chrono::seconds(2));
    EXPECT_LT(rms(recorder.take()), 1e-4);

    const int a4 = midiKey(33, 24);
    opened.port->sendShortMessage(packShortMessage(midiStatus::programChange, 0, 94));
    opened.port->sendShortMessage(packShortMessage(midiStatus::noteOn, a4, 100));
    std::this_thread::sleep_for(std::chrono::milliseconds(1200));
    opened.port->sendShortMessage(packShortMessage(midiStatus::noteOff, a4, 94));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    auto heard = recorder.take();
    opened.port->close();

    // Judged over the whole recording, as a loaded machine may drop a few
    // periods of sound.
    EXPECT_GT(rms(heard), 0.002);
    expectA4(heard);
}

} // namespace
