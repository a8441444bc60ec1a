#include "platform/midi/internal/synth_output_port.h"

#include "platform/midi/soundfont_locator.h"

#include <fluidsynth.h>

#include <cstdlib>
#include <initializer_list>

namespace {

// About 6 ms per period: a clicked key sounds without a noticeable delay, and
// three periods leave the audio thread some room on a busy machine.
constexpr int audioPeriodFrames = 256;
constexpr int audioPeriods = 3;

fluid_audio_driver_t* startAudio(SoundFontSynth& synth, std::string& driverName)
{
    fluid_settings_t* settings = synth.settings();
    fluid_settings_setint(settings, "audio.period-size", audioPeriodFrames);
    fluid_settings_setint(settings, "audio.periods", audioPeriods);
    fluid_settings_setstr(settings, "audio.pulseaudio.media-role", "music");
    for (const char* driver : {"pulseaudio", "alsa"}) {
        fluid_settings_setstr(settings, "audio.driver", driver);
        if (auto* started = new_fluid_audio_driver(settings, synth.handle())) {
            driverName = driver;
            return started;
        }
    }
    return nullptr;
}

} // namespace

MidiOutputSystem::OpenResult SynthOutputPort::open(const std::string& soundFontOption)
{
    // JACK client libraries may be pulled in by the audio drivers; they must
    // never start a JACK server of their own.
    setenv("JACK_NO_START_SERVER", "1", 1);

    auto choice = findSoundFont(soundFontSearchFor(soundFontOption));
    if (!choice)
        return choice.status();
    auto created = SoundFontSynth::create(*choice);
    if (!created)
        return created.status();

    std::string driverName;
    fluid_audio_driver_t* driver = startAudio(**created, driverName);
    if (!driver)
        return MidiOutputSystem::OpenResult::failure(
            "The built-in synthesizer found no audio output: neither PulseAudio "
            "nor ALSA could be opened. Check that a sound card or sound server "
            "is available.");
    return MidiOutputSystem::OpenResult(std::unique_ptr<MidiOutputPort>(
        new SynthOutputPort(std::move(created).value(), driver, driverName)));
}

SynthOutputPort::SynthOutputPort(std::unique_ptr<SoundFontSynth> synth,
                                 fluid_audio_driver_t* driver, std::string audioDriver)
    : synth_(std::move(synth)), driver_(driver), audioDriver_(std::move(audioDriver))
{
}

SynthOutputPort::~SynthOutputPort()
{
    close();
}

void SynthOutputPort::sendShortMessage(std::uint32_t message)
{
    std::lock_guard lock(mutex_);
    if (driver_)
        synth_->handleShortMessage(message);
}

void SynthOutputPort::reset()
{
    std::lock_guard lock(mutex_);
    if (driver_)
        synth_->reset();
}

void SynthOutputPort::preloadPrograms(const std::vector<int>& programs)
{
    std::lock_guard lock(mutex_);
    if (driver_)
        synth_->preloadPrograms(programs);
}

ScheduledOutput* SynthOutputPort::scheduledOutput()
{
    std::lock_guard lock(mutex_);
    return driver_ ? this : nullptr;
}

std::uint32_t SynthOutputPort::clockMs()
{
    std::lock_guard lock(mutex_);
    return synth_->clockMs();
}

void SynthOutputPort::sendAt(std::uint32_t message, std::uint32_t timeMs)
{
    std::lock_guard lock(mutex_);
    if (driver_)
        synth_->sendAt(message, timeMs);
}

void SynthOutputPort::cancelPending()
{
    std::lock_guard lock(mutex_);
    synth_->cancelPending();
}

void SynthOutputPort::close()
{
    // The driver's thread reads from the synth: stop it first.
    std::lock_guard lock(mutex_);
    if (driver_) {
        delete_fluid_audio_driver(driver_);
        driver_ = nullptr;
        synth_->cancelPending(); // nothing plays them any more
    }
}
