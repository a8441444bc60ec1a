#pragma once

#include "platform/audio/wave_input.h"
#include "platform/audio/wave_input_devices.h"

#include <memory>
#include <string>

// What the program listens to, and how many microphones it sees.
struct Microphone {
    std::unique_ptr<WaveInputDevices> devices;
    std::unique_ptr<WaveInput> input;
};

// The system's default microphone (RtAudio: PulseAudio or PipeWire, else ALSA).
Microphone systemMicrophone();

// A recording played in real time as the microphone (--audio-input FILE);
// fails with the reason when the file cannot be read.
Result<Microphone> recordingAsMicrophone(const std::string& path);

// A fixed number of microphones: a recording counts as one.
class FixedWaveInputDevices final : public WaveInputDevices {
public:
    explicit FixedWaveInputDevices(int count) : count_(count) {}
    int count() override { return count_; }

private:
    int count_;
};
