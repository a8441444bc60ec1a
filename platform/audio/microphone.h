#pragma once

#include "platform/audio/microphone_sources.h"
#include "platform/audio/wave_input.h"
#include "platform/audio/wave_input_devices.h"

#include <memory>
#include <string>

// What the program listens to, how many microphones it sees, and the choice
// of source (null where there is nothing to choose).
struct Microphone {
    std::unique_ptr<WaveInputDevices> devices;
    std::unique_ptr<WaveInput> input;
    MicrophoneChoice* choice = nullptr; // part of `input`
};

// The desktop's microphone: the source named `chosenSource` of the sound
// server (PulseAudio or PipeWire), its default one when the name is empty
// or the source missing; without a server, ALSA's default capture device.
Microphone systemMicrophone(const std::string& chosenSource = {});

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
