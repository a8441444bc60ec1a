#pragma once

#include "platform/midi/internal/lasting_output.h"
#include "platform/testing/midi_recording.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

// Stands in for the built-in synthesizer: a recording port whose close()
// takes as long as stopping a PulseAudio driver does, counting how often it
// was started and closed.
class SlowSynthStarter {
public:
    explicit SlowSynthStarter(Clock& clock) : clock_(clock) {}

    LastingOutput::Starter starter()
    {
        return [this]() -> MidiOutputSystem::OpenResult {
            ++starts;
            return std::unique_ptr<MidiOutputPort>(
                std::make_unique<SlowClosingPort>(clock_, recording, closes));
        };
    }

    std::shared_ptr<MidiRecording> recording = std::make_shared<MidiRecording>();
    std::atomic<int> starts{0};
    std::shared_ptr<std::atomic<int>> closes = std::make_shared<std::atomic<int>>(0);

private:
    class SlowClosingPort final : public MidiOutputPort {
    public:
        SlowClosingPort(Clock& clock, std::shared_ptr<MidiRecording> recording,
                        std::shared_ptr<std::atomic<int>> closes)
            : port_("Built-in GM Synthesizer", clock, std::move(recording)),
              closes_(std::move(closes))
        {
        }
        void sendShortMessage(std::uint32_t message) override { port_.sendShortMessage(message); }
        void reset() override { port_.reset(); }
        void close() override
        {
            if (port_.isClosed())
                return;
            ++*closes_;
            std::this_thread::sleep_for(std::chrono::milliseconds(600));
            port_.close();
        }
        std::string name() const override { return port_.name(); }

    private:
        RecordingMidiOutputPort port_;
        std::shared_ptr<std::atomic<int>> closes_;
    };

    Clock& clock_;
};
