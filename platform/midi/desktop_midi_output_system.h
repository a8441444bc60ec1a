#pragma once

#include "platform/midi/internal/lasting_output.h"
#include "platform/midi/midi_output_port.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

struct MidiOutputOptions {
    std::string soundFont; // --soundfont FILE; empty: search the usual places
    bool verbose = false;  // let FluidSynth and ALSA print their messages
    // The built-in synthesizer reads its SoundFont after it has opened; told,
    // on the reading thread, when the file turns out to be damaged.
    std::function<void(const std::string& message)> soundFontFailed = {};
};

// The MIDI outputs of this machine as the program numbers them: device 0 is
// the built-in synthesizer, then the ALSA sequencer ports in their order; the
// mapper (-1) is the built-in synthesizer, so the program sounds with nothing
// to set up. The synthesizer is started on its first opening and stays up
// until this object goes: reopening it (at every focus gain in beatwise) only
// silences it.
class DesktopMidiOutputSystem final : public MidiOutputSystem {
public:
    explicit DesktopMidiOutputSystem(MidiOutputOptions options);
    // `ports` stands in for the ALSA sequencer (tests).
    DesktopMidiOutputSystem(MidiOutputOptions options, std::unique_ptr<MidiOutputSystem> ports);
    // `builtIn` also stands in for the synthesizer (tests).
    DesktopMidiOutputSystem(MidiOutputOptions options, std::unique_ptr<MidiOutputSystem> ports,
                            LastingOutput::Starter builtIn);

    std::vector<std::string> deviceNames() override;
    OpenResult open(int device) override;

private:
    MidiOutputOptions options_;
    std::unique_ptr<MidiOutputSystem> ports_;
    LastingOutput builtIn_;
    int portCount_ = 0; // sequencer ports in the last list
};
