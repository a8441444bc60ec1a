#include "midi/midi_out.h"

#include "midi/midi_device_list.h"

#include <utility>

MidiOut::MidiOut(MidiOutputSystem& system) : system_(system) {}

MidiOut::~MidiOut()
{
    close();
}

MidiOut::StartupResult MidiOut::openAtStartup(int& midi)
{
    StartupResult result;
    auto names = system_.deviceNames();
    result.deviceNames = buildMidiDeviceList(names);
    if (result.deviceNames.empty())
        return result;
    midi = applyStoredMidiIndexRule(midi, static_cast<int>(result.deviceNames.size()) - 1);
    result.opened = open(midi);
    return result;
}

Status MidiOut::reopen(int device)
{
    close();
    return open(device);
}

Status MidiOut::open(int device)
{
    auto opened = system_.open(device);
    if (!opened)
        return opened.status();
    port_ = std::move(opened).value();
    return Status::success();
}

void MidiOut::close()
{
    if (!port_)
        return;
    port_->reset();
    port_->close();
    port_.reset();
}

void MidiOut::preloadPrograms(const std::vector<int>& programs)
{
    if (port_)
        port_->preloadPrograms(programs);
}

void MidiOut::send(int status, int data1, int data2)
{
    if (port_)
        port_->sendShortMessage(packShortMessage(status, data1, data2));
}

SoundingNote MidiOut::startNote(int key, int velocity, NoteRelease release)
{
    send(midiStatus::noteOn, key, velocity);
    return SoundingNote(*this, key, release);
}

void MidiOut::releaseKey(int key, int velocity)
{
    send(midiStatus::noteOff, key, velocity);
}

void MidiOut::chooseTimbre(int program, MidiChannels channels, int filler)
{
    send(midiStatus::programChange, program, filler);
    if (channels == MidiChannels::OneAndThirteen)
        send(midiStatus::programChangeChannel13, program, filler);
}

SoundingNote& SoundingNote::operator=(SoundingNote&& other) noexcept
{
    if (this != &other) {
        stop();
        out_ = std::exchange(other.out_, nullptr);
        key_ = other.key_;
        release_ = other.release_;
    }
    return *this;
}

void SoundingNote::stop()
{
    MidiOut* out = std::exchange(out_, nullptr);
    if (!out)
        return;
    out->send(midiStatus::noteOff, key_, release_.velocity);
    if (release_.channels == MidiChannels::OneAndThirteen)
        out->send(midiStatus::noteOffChannel13, key_, release_.velocity);
}
