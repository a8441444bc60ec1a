#include "midi/midi_out.h"

// Placeholder: the full device handling arrives with the MIDI output work.
MidiOut::MidiOut(MidiOutputSystem& system) : system_(system) {}

MidiOut::~MidiOut() { close(); }

MidiOut::StartupResult MidiOut::openAtStartup(int& midi)
{
    StartupResult result;
    auto names = system_.deviceNames();
    if (names.empty())
        return result;
    result.deviceNames = names;
    result.deviceNames.push_back("Midi Mapper");
    if (midi == static_cast<int>(names.size()) + 1)
        midi = -1;
    auto opened = system_.open(midi);
    port_ = std::move(opened.port);
    if (!port_)
        result.error = opened.error;
    return result;
}

bool MidiOut::reopen(int device)
{
    close();
    port_ = system_.open(device).port;
    return port_ != nullptr;
}

void MidiOut::close()
{
    if (port_) {
        port_->reset();
        port_->close();
        port_.reset();
    }
}

void MidiOut::Send(int status, int data1, int data2)
{
    if (port_)
        port_->sendShortMessage(static_cast<std::uint32_t>(status & 0xFF) |
                                static_cast<std::uint32_t>(data1 & 0xFF) << 8 |
                                static_cast<std::uint32_t>(data2 & 0xFF) << 16);
}

void MidiOut::Play(int status, int data1, int data2) { Send(status, data1, data2); }

void MidiOut::Silence(int status, int data1, int data2) { Send(status, data1, data2); }
