#pragma once

#include "platform/clock/clock.h"
#include "platform/midi/internal/pulse_synth_stream.h"
#include "platform/midi/internal/soundfont_synth.h"
#include "platform/midi/internal/waiting_messages.h"
#include "platform/midi/midi_output_port.h"

#include <fluidsynth/types.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// The built-in General MIDI synthesizer as an output port: a SoundFontSynth
// sounding through a PulseAudio stream of its own (pulse_synth_stream.h), or
// through FluidSynth's ALSA driver where no PulseAudio server runs. JACK is
// never used (it would try to start a server).
//
// Opening is quick: the sound output starts at once, playing silence, and the
// SoundFont is read on a thread of the port's own. What is sent meanwhile
// waits (waiting_messages.h) and plays as soon as the sounds are there, so a
// window can show before a large SoundFont is read and nothing it asks for is
// lost.
class SynthOutputPort final : public MidiOutputPort, private ScheduledOutput {
public:
    static constexpr const char* deviceName = "Built-in GM Synthesizer";
    // Told, on the loading thread, why the SoundFont could not be read after
    // open() had returned; the port stays silent from then on.
    using LoadFailed = std::function<void(const std::string& message)>;

    // Finds the SoundFont (see soundfont_locator.h) and starts the audio
    // output. The error names what is missing and how to fix it.
    static MidiOutputSystem::OpenResult open(const std::string& soundFontOption,
                                             LoadFailed loadFailed = {});

    ~SynthOutputPort() override;

    void sendShortMessage(std::uint32_t message) override;
    void reset() override;
    void close() override;
    std::string name() const override { return deviceName; }
    void preloadPrograms(const std::vector<int>& programs) override;
    // Null until the SoundFont is read: messages sent now wait for it.
    ScheduledOutput* scheduledOutput() override;

    // "pulseaudio" or "alsa".
    const std::string& audioDriver() const { return audioDriver_; }
    // The PulseAudio stream's own account; nothing under ALSA.
    std::optional<SoundStreamState> streamState() const;
    // Waits for the SoundFont to be read; true when the port plays.
    bool waitUntilLoaded();

private:
    // ScheduledOutput, on the synthesizer's sample clock.
    std::uint32_t clockMs() override;
    void sendAt(std::uint32_t message, std::uint32_t timeMs) override;
    void cancelPending() override;

    enum class Stage { Loading, Playing, Closed };

    explicit SynthOutputPort(std::unique_ptr<SoundFontSynth> synth);
    Status startAudio();
    void render(float* samples, int frames);
    void load(const std::filesystem::path& soundFont, const LoadFailed& loadFailed);

    mutable std::mutex mutex_; // guards what follows up to the loader
    std::condition_variable stageChanged_;
    Stage stage_ = Stage::Loading;
    WaitingMessages waiting_;
    SteadyClock clock_; // when each waiting message was sent
    std::vector<int> programsToPreload_;
    bool preloadAsked_ = false;

    std::unique_ptr<SoundFontSynth> synth_;
    std::unique_ptr<PulseSynthStream> stream_;
    fluid_audio_driver_t* driver_ = nullptr;
    std::string audioDriver_;
    std::atomic<bool> rendering_{false}; // read by the audio thread
    std::thread loader_;
};
