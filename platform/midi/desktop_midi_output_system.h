#pragma once

#include "platform/midi/midi_output_port.h"

#include <memory>
#include <string>
#include <vector>

struct MidiOutputOptions {
    std::string soundFont; // --soundfont FILE; empty: search the usual places
    bool verbose = false;  // let FluidSynth and ALSA print their messages
};

// The MIDI outputs of this machine as the program numbers them: device 0 is
// the built-in synthesizer, then the ALSA sequencer ports in their order; the
// mapper (-1) is the built-in synthesizer, so the program sounds with nothing
// to set up.
class DesktopMidiOutputSystem final : public MidiOutputSystem {
public:
    explicit DesktopMidiOutputSystem(MidiOutputOptions options);
    // `ports` stands in for the ALSA sequencer (tests).
    DesktopMidiOutputSystem(MidiOutputOptions options, std::unique_ptr<MidiOutputSystem> ports);

    std::vector<std::string> deviceNames() override;
    OpenResult open(int device) override;

private:
    MidiOutputOptions options_;
    std::unique_ptr<MidiOutputSystem> ports_;
    int portCount_ = 0; // sequencer ports in the last list
};
