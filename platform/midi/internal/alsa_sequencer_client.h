#pragma once

#include <alsa/asoundlib.h>
#include <rtmidi/RtMidi.h>

#include <memory>
#include <string>
#include <type_traits>

// An RtMidi client (RtMidiIn or RtMidiOut) of the ALSA sequencer, or null when there is no
// sequencer, which just means no ports. RtMidi prints to the terminal before it throws for
// a missing sequencer, so ALSA is asked first (its own message goes through the muted error
// handler). RtMidi's warnings are dropped too: failures show up as results.
template <class Client> std::unique_ptr<Client> connectToAlsaSequencer(const char* clientName)
{
    constexpr int direction =
        std::is_same_v<Client, RtMidiIn> ? SND_SEQ_OPEN_INPUT : SND_SEQ_OPEN_OUTPUT;
    snd_seq_t* sequencer = nullptr;
    if (snd_seq_open(&sequencer, "default", direction, SND_SEQ_NONBLOCK) < 0)
        return nullptr;
    snd_seq_close(sequencer);
    try {
        auto client = std::make_unique<Client>(RtMidi::LINUX_ALSA, clientName);
        client->setErrorCallback([](RtMidiError::Type, const std::string&, void*) {});
        return client;
    } catch (const RtMidiError&) {
        return nullptr;
    }
}
