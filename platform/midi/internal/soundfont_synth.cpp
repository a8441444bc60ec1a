#include "platform/midi/internal/soundfont_synth.h"

#include "platform/midi/short_message.h"

#include <fluidsynth.h>

#include <algorithm>
#include <memory>

Result<std::unique_ptr<SoundFontSynth>>
SoundFontSynth::create(const std::filesystem::path& soundFont)
{
    auto synth = createWithoutSounds();
    if (!synth)
        return synth;
    if (Status loaded = (*synth)->loadSoundFont(soundFont); !loaded)
        return loaded;
    return synth;
}

Result<std::unique_ptr<SoundFontSynth>> SoundFontSynth::createWithoutSounds()
{
    std::unique_ptr<SoundFontSynth> synth(new SoundFontSynth);
    synth->settings_ = new_fluid_settings();
    if (!synth->settings_)
        return Status::failure("The built-in synthesizer could not be set up (out of memory?).");
    fluid_settings_setnum(synth->settings_, "synth.sample-rate", sampleRate);
    // The program plays one line of notes (a chord at most): 64 voices are
    // plenty and bound the work of the audio thread.
    fluid_settings_setint(synth->settings_, "synth.polyphony", 64);
    // FluidSynth's default gain (0.2) leaves a General MIDI SoundFont quiet;
    // at 0.7 a single note peaks near -12 dBFS and a four-note chord at
    // full velocity still stays clear of clipping.
    fluid_settings_setnum(synth->settings_, "synth.gain", 0.7);
    // Load a program's samples only once a channel selects it: most desktops
    // default to a 142 MB SoundFont of which a drill uses one or two programs.
    fluid_settings_setint(synth->settings_, "synth.dynamic-sample-loading", 1);
    synth->synth_ = new_fluid_synth(synth->settings_);
    if (!synth->synth_)
        return Status::failure("The built-in synthesizer could not be started.");

    // A sequencer without a system timer is advanced by the synthesizer as
    // it renders, so its clock is the sample clock of the sound itself.
    synth->sequencer_ = new_fluid_sequencer2(0);
    if (!synth->sequencer_)
        return Status::failure("The built-in synthesizer could not be started.");
    synth->sequencerSynth_ = fluid_sequencer_register_fluidsynth(synth->sequencer_, synth->synth_);
    return synth;
}

Status SoundFontSynth::checkIsSoundFont(const std::filesystem::path& soundFont)
{
    if (fluid_is_soundfont(soundFont.c_str()))
        return Status::success();
    return Status::failure("The file \"" + soundFont.string() +
                           "\" is not a SoundFont, so the built-in synthesizer cannot play. "
                           "Pass a General MIDI .sf2 file with --soundfont FILE.");
}

Status SoundFontSynth::loadSoundFont(const std::filesystem::path& soundFont)
{
    if (Status checked = checkIsSoundFont(soundFont); !checked)
        return checked;
    if (fluid_synth_sfload(synth_, soundFont.c_str(), 1) == FLUID_FAILED)
        return Status::failure("The SoundFont \"" + soundFont.string() +
                               "\" could not be loaded; it may be damaged. Pass another General "
                               "MIDI .sf2 file with --soundfont FILE.");
    soundFont_ = soundFont;
    return Status::success();
}

SoundFontSynth::~SoundFontSynth()
{
    if (sequencer_)
        delete_fluid_sequencer(sequencer_); // before the synth it sends to
    if (synth_)
        delete_fluid_synth(synth_);
    if (settings_)
        delete_fluid_settings(settings_);
}

void SoundFontSynth::handleShortMessage(std::uint32_t message)
{
    const ShortMessage m = ShortMessage::unpack(message);
    const int data1 = m.data1;
    const int data2 = m.data2;
    const int channel = m.channel();
    switch (m.kind()) {
    case 0x80:
        fluid_synth_noteoff(synth_, channel, data1);
        break;
    case 0x90: // velocity 0 is a note-off, as FluidSynth handles it
        fluid_synth_noteon(synth_, channel, data1, data2);
        break;
    case 0xA0:
        fluid_synth_key_pressure(synth_, channel, data1, data2);
        break;
    case 0xB0:
        fluid_synth_cc(synth_, channel, data1, data2);
        break;
    case 0xC0:
        fluid_synth_program_change(synth_, channel, data1);
        break;
    case 0xD0:
        fluid_synth_channel_pressure(synth_, channel, data1);
        break;
    case 0xE0:
        fluid_synth_pitch_bend(synth_, channel, data1 | data2 << 7);
        break;
    default:
        if (m.status == 0xFF) // system reset
            reset();
        break;
    }
}

// fluid_synth_system_reset() would be the obvious call, but it lets sounding
// voices ring on (and cancels an all-sounds-off queued just before it).
void SoundFontSynth::reset()
{
    fluid_synth_all_sounds_off(synth_, -1); // at once, without release phases
    for (int channel = 0; channel < 16; ++channel)
        fluid_synth_cc(synth_, channel, 121, 0); // reset all controllers
}

// Both programs play on channels 1 and 13 and tick on 10 (the percussion
// channel); the others are free to hold preloaded programs.
void SoundFontSynth::preloadPrograms(const std::vector<int>& programs)
{
    static constexpr int parkingChannels[parkingChannelCount] = {1, 2,  3,  4,  5,  6, 7,
                                                                 8, 10, 11, 13, 14, 15};
    const std::size_t count = std::min<std::size_t>(programs.size(), parkingChannelCount);
    for (std::size_t i = 0; i < count; ++i)
        fluid_synth_program_change(synth_, parkingChannels[i], programs[i] & 0x7F);
}

std::uint32_t SoundFontSynth::clockMs()
{
    return fluid_sequencer_get_tick(sequencer_);
}

void SoundFontSynth::sendAt(std::uint32_t message, std::uint32_t timeMs)
{
    const ShortMessage m = ShortMessage::unpack(message);
    const int channel = m.channel();
    const auto data1 = static_cast<short>(m.data1);
    const auto data2 = static_cast<short>(m.data2);
    std::unique_ptr<fluid_event_t, void (*)(fluid_event_t*)> event(new_fluid_event(),
                                                                   delete_fluid_event);
    if (!event)
        return;
    switch (m.kind()) {
    case 0x80:
        fluid_event_noteoff(event.get(), channel, data1);
        break;
    case 0x90: // velocity 0 is a note-off, as for messages sent now
        if (data2 == 0)
            fluid_event_noteoff(event.get(), channel, data1);
        else
            fluid_event_noteon(event.get(), channel, data1, data2);
        break;
    case 0xA0:
        fluid_event_key_pressure(event.get(), channel, data1, data2);
        break;
    case 0xB0:
        fluid_event_control_change(event.get(), channel, data1, data2);
        break;
    case 0xC0:
        fluid_event_program_change(event.get(), channel, data1);
        break;
    case 0xD0:
        fluid_event_channel_pressure(event.get(), channel, data1);
        break;
    case 0xE0:
        fluid_event_pitch_bend(event.get(), channel, data1 | data2 << 7);
        break;
    default:
        return;
    }
    fluid_event_set_source(event.get(), -1);
    fluid_event_set_dest(event.get(), sequencerSynth_);
    fluid_sequencer_send_at(sequencer_, event.get(), timeMs, 1);
}

void SoundFontSynth::cancelPending()
{
    fluid_sequencer_remove_events(sequencer_, -1, sequencerSynth_, -1);
}

std::vector<float> SoundFontSynth::render(int frames)
{
    std::vector<float> samples(static_cast<std::size_t>(std::max(frames, 0)) * 2);
    if (frames > 0)
        fluid_synth_write_float(synth_, frames, samples.data(), 0, 2, samples.data(), 1, 2);
    return samples;
}
