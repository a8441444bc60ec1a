#pragma once

#include "platform/midi/internal/soundfont_synth.h"
#include "platform/midi/midi_output_port.h"

#include <fluidsynth/types.h>

#include <memory>
#include <mutex>
#include <string>

// The built-in General MIDI synthesizer as an output port: a SoundFontSynth
// sounding through FluidSynth's PulseAudio driver, or ALSA where PulseAudio is
// not running. JACK is never used (it would try to start a server).
class SynthOutputPort final : public MidiOutputPort, private ScheduledOutput {
public:
    static constexpr const char* deviceName = "Built-in GM Synthesizer";

    // Finds the SoundFont (see soundfont_locator.h), loads it and starts the
    // audio output. The error names what is missing and how to fix it.
    static MidiOutputSystem::OpenResult open(const std::string& soundFontOption);

    ~SynthOutputPort() override;

    void sendShortMessage(std::uint32_t message) override;
    void reset() override;
    void close() override;
    std::string name() const override { return deviceName; }
    void preloadPrograms(const std::vector<int>& programs) override;
    ScheduledOutput* scheduledOutput() override;

    // "pulseaudio" or "alsa".
    const std::string& audioDriver() const { return audioDriver_; }
    const SoundFontSynth& synth() const { return *synth_; }

private:
    // ScheduledOutput, on the synthesizer's sample clock.
    std::uint32_t clockMs() override;
    void sendAt(std::uint32_t message, std::uint32_t timeMs) override;
    void cancelPending() override;

    SynthOutputPort(std::unique_ptr<SoundFontSynth> synth, fluid_audio_driver_t* driver,
                    std::string audioDriver);

    std::mutex mutex_; // guards driver_, which close() clears
    std::unique_ptr<SoundFontSynth> synth_;
    fluid_audio_driver_t* driver_;
    std::string audioDriver_;
};
