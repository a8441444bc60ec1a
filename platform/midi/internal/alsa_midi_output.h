#pragma once

#include "platform/midi/midi_output_port.h"

#include <string>
#include <vector>

// The ALSA sequencer's writable MIDI ports (hardware synthesizers, software
// synthesizers, virtual cables), reached through RtMidi. Devices are numbered
// from 0 in the order of the list taken by deviceNames(); a machine without an
// ALSA sequencer simply has none.
class AlsaMidiOutputSystem final : public MidiOutputSystem {
public:
    std::vector<std::string> deviceNames() override;
    OpenResult open(int device) override;

private:
    std::vector<std::string> listed_; // the names last shown to the user
};
