#include "platform/midi/internal/synth_output_port.h"

#include "platform/midi/soundfont_locator.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cstdlib>
#include <sys/resource.h>
#include <unistd.h>
#include <utility>

namespace {

// FluidSynth's ALSA driver: about 6 ms per period, three periods.
constexpr int alsaPeriodFrames = 256;
constexpr int alsaPeriods = 3;

} // namespace

MidiOutputSystem::OpenResult SynthOutputPort::open(const std::string& soundFontOption,
                                                   LoadFailed loadFailed)
{
    // JACK client libraries may be pulled in by the audio drivers; they must
    // never start a JACK server of their own.
    setenv("JACK_NO_START_SERVER", "1", 1);

    auto choice = findSoundFont(soundFontSearchFor(soundFontOption));
    if (!choice)
        return choice.status();
    if (Status checked = SoundFontSynth::checkIsSoundFont(*choice); !checked)
        return checked;
    auto created = SoundFontSynth::createWithoutSounds();
    if (!created)
        return created.status();

    std::unique_ptr<SynthOutputPort> port(new SynthOutputPort(std::move(created).value()));
    if (Status started = port->startAudio(); !started)
        return started;
    port->loader_ =
        std::thread([port = port.get(), soundFont = *choice, loadFailed = std::move(loadFailed)] {
            port->load(soundFont, loadFailed);
        });
    return MidiOutputSystem::OpenResult(std::unique_ptr<MidiOutputPort>(std::move(port)));
}

SynthOutputPort::SynthOutputPort(std::unique_ptr<SoundFontSynth> synth) : synth_(std::move(synth))
{
}

Status SynthOutputPort::startAudio()
{
    auto stream =
        PulseSynthStream::open([this](float* samples, int frames) { render(samples, frames); });
    if (stream) {
        stream_ = std::move(stream).value();
        audioDriver_ = "pulseaudio";
        return Status::success();
    }
    fluid_settings_t* settings = synth_->settings();
    fluid_settings_setint(settings, "audio.period-size", alsaPeriodFrames);
    fluid_settings_setint(settings, "audio.periods", alsaPeriods);
    fluid_settings_setstr(settings, "audio.driver", "alsa");
    driver_ = new_fluid_audio_driver(settings, synth_->handle());
    if (driver_) {
        audioDriver_ = "alsa";
        return Status::success();
    }
    return Status::failure("The built-in synthesizer found no audio output: neither PulseAudio "
                           "nor ALSA could be opened. Check that a sound card or sound server "
                           "is available.");
}

// The PulseAudio stream's sound. Until the SoundFont is read the stream
// waits paused and the synthesizer is left alone (reading holds its lock);
// FluidSynth's ALSA driver renders the synthesizer itself.
void SynthOutputPort::render(float* samples, int frames)
{
    if (rendering_.load(std::memory_order_acquire))
        fluid_synth_write_float(synth_->handle(), frames, samples, 0, 2, samples, 1, 2);
    else
        std::fill_n(samples, static_cast<std::size_t>(frames) * 2, 0.0f);
}

void SynthOutputPort::load(const std::filesystem::path& soundFont, const LoadFailed& loadFailed)
{
    if (Status loaded = synth_->loadSoundFont(soundFont); !loaded) {
        // Told before anyone waiting learns that loading is over.
        if (loadFailed)
            loadFailed(loaded.message());
        {
            std::lock_guard lock(mutex_);
            stage_ = Stage::Closed;
        }
        stageChanged_.notify_all();
        return;
    }
    std::unique_lock lock(mutex_);
    // Reading a program's samples takes a moment: done outside the lock, and
    // again should another list arrive meanwhile.
    while (preloadAsked_ && stage_ == Stage::Loading) {
        const std::vector<int> programs = std::exchange(programsToPreload_, {});
        preloadAsked_ = false;
        lock.unlock();
        synth_->preloadPrograms(programs);
        lock.lock();
    }
    if (stage_ != Stage::Loading)
        return;
    waiting_.replayOn(*synth_);
    stage_ = Stage::Playing;
    rendering_.store(true, std::memory_order_release);
    if (stream_)
        stream_->play();
    lock.unlock();
    stageChanged_.notify_all();
}

bool SynthOutputPort::waitUntilLoaded()
{
    std::unique_lock lock(mutex_);
    stageChanged_.wait(lock, [this] { return stage_ != Stage::Loading; });
    return stage_ == Stage::Playing;
}

SynthOutputPort::~SynthOutputPort()
{
    close();
}

void SynthOutputPort::sendShortMessage(std::uint32_t message)
{
    std::lock_guard lock(mutex_);
    if (stage_ == Stage::Playing)
        synth_->handleShortMessage(message);
    else if (stage_ == Stage::Loading)
        waiting_.add(message, clock_.milliseconds());
}

void SynthOutputPort::reset()
{
    std::lock_guard lock(mutex_);
    if (stage_ == Stage::Playing)
        synth_->reset();
    else if (stage_ == Stage::Loading)
        waiting_.reset();
}

void SynthOutputPort::preloadPrograms(const std::vector<int>& programs)
{
    std::lock_guard lock(mutex_);
    if (stage_ == Stage::Playing) {
        synth_->preloadPrograms(programs);
    } else if (stage_ == Stage::Loading) {
        programsToPreload_ = programs;
        preloadAsked_ = true;
    }
}

ScheduledOutput* SynthOutputPort::scheduledOutput()
{
    std::lock_guard lock(mutex_);
    return stage_ == Stage::Playing ? this : nullptr;
}

std::optional<SoundStreamState> SynthOutputPort::streamState() const
{
    if (!stream_)
        return std::nullopt;
    return stream_->state();
}

std::uint32_t SynthOutputPort::clockMs()
{
    std::lock_guard lock(mutex_);
    return synth_->clockMs();
}

void SynthOutputPort::sendAt(std::uint32_t message, std::uint32_t timeMs)
{
    std::lock_guard lock(mutex_);
    if (stage_ == Stage::Playing)
        synth_->sendAt(message, timeMs);
}

void SynthOutputPort::cancelPending()
{
    std::lock_guard lock(mutex_);
    synth_->cancelPending();
}

void SynthOutputPort::close()
{
    {
        std::lock_guard lock(mutex_);
        stage_ = Stage::Closed;
    }
    stageChanged_.notify_all();
    // A SoundFont being read is read to its end; nothing plays it then.
    if (loader_.joinable())
        loader_.join();
    // The audio thread reads from the synth: stop it first.
    rendering_ = false;
    stream_.reset();
    if (driver_) {
        delete_fluid_audio_driver(driver_);
        driver_ = nullptr;
    }
    synth_->cancelPending(); // nothing plays them any more
}
