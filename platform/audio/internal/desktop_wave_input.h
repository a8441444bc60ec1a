#pragma once

#include "platform/audio/internal/pulse_wave_input.h"
#include "platform/audio/internal/rtaudio_wave_input.h"

// The desktop's microphone: a record stream of the sound server when one
// runs, else RtAudio (ALSA). Opening decides which of the two listens until
// the next close; every other call goes to that one. A chosen source is
// honoured by the sound server only; ALSA listens to its default device.
class DesktopWaveInput final : public WaveInput, public MicrophoneChoice {
public:
    explicit DesktopWaveInput(std::string chosenSource) : server_(std::move(chosenSource)) {}

    Status open() override;
    void close() override;
    bool isOpen() const override { return active_ && active_->isOpen(); }
    void queueBlock(std::size_t length) override;
    void start() override;
    void stop() override;
    void setBlockHandler(BlockHandler handler) override;
    const SoundLevelMeter* levelMeter() const override;

    void choose(const std::string& name) override { server_.choose(name); }
    const std::string& chosen() const override { return server_.chosen(); }
    void setChangeHandler(ChangeHandler handler) override
    {
        server_.setChangeHandler(std::move(handler));
    }

private:
    PulseWaveInput server_;
    RtAudioWaveInput direct_;
    WaveInput* active_ = nullptr;
};
