#include "midi/midi_out.h"

#include "midi/midi_device_list.h"

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

void MidiOut::Send(int status, int data1, int data2)
{
    if (!port_)
        return;
    port_->sendShortMessage(packShortMessage(status, data1, data2));
}

// Without an open device a note-on would go to the PC speaker and a note-off
// would switch it off; this program has no speaker tone, so both are dropped.
void MidiOut::Play(int status, int data1, int data2)
{
    if (isOpen())
        Send(status, data1, data2);
}

void MidiOut::Silence(int status, int data1, int data2)
{
    if (isOpen())
        Send(status, data1, data2);
}
