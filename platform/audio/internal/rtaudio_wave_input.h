#pragma once

#include "platform/audio/queued_wave_input.h"
#include "platform/audio/wave_input_devices.h"

#include <memory>
#include <vector>

class RtAudio;
class CaptureConverter;

// The system's default microphone through RtAudio: the PulseAudio API
// (PipeWire included) first, then ALSA. Captures 16-bit mono at the rate the
// device offers and converts it to the capture format.
class RtAudioWaveInput final : public QueuedWaveInput {
public:
    RtAudioWaveInput();
    ~RtAudioWaveInput() override;

    // Streams from the device at once; samples go into a block only while
    // one is queued and recording is started.
    Status open() override;
    void close() override;
    bool isOpen() const override { return audio_ != nullptr; }

    // The device rate of the open stream (0 when closed).
    unsigned deviceRate() const { return deviceRate_; }

private:
    Status openWith(int api);
    static int onAudio(void* output, void* input, unsigned frames, double streamTime,
                       unsigned status, void* self);

    std::unique_ptr<RtAudio> audio_;
    std::unique_ptr<CaptureConverter> converter_;
    std::vector<float> scratch_;
    unsigned deviceRate_ = 0;
    BlockDelivery::Clock::time_point callbackStart_; // audio thread only
};

// Counts the microphones RtAudio can reach: 1 when a PulseAudio (or
// PipeWire) server offers a source, else the ALSA capture devices.
class RtAudioWaveInputDevices final : public WaveInputDevices {
public:
    int count() override;
};
