#pragma once

#include "base/result.h"
#include "platform/midi/scheduled_output.h"
#include "platform/midi/short_message.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One open MIDI output: the built-in synthesizer, an ALSA sequencer port, or a
// recording port in tests. Destroying a port closes it. A port may be used
// from two threads at once (the metronome's timer thread and the GUI thread).
class MidiOutputPort {
public:
    virtual ~MidiOutputPort() = default;

    // A short message packed as on the wire: status in the low byte, then
    // data 1, then data 2.
    virtual void sendShortMessage(std::uint32_t message) = 0;

    // Silences every sounding note and returns controllers to their defaults.
    virtual void reset() = 0;

    // Releases the device; later sends are ignored.
    virtual void close() = 0;

    virtual std::string name() const = 0;

    // Gets the sounds of these General MIDI programs ready, so that a program
    // change to one of them followed at once by a note sounds the note
    // without delay. Only the built-in synthesizer needs to.
    virtual void preloadPrograms(const std::vector<int>& /*programs*/) {}

    // The port's own clock for messages sent ahead; null where messages can
    // only be sent now (sequencer ports, closed ports).
    virtual ScheduledOutput* scheduledOutput() { return nullptr; }
};

// The MIDI outputs of this machine, numbered as the program numbers them:
// devices 0..n-1 in `deviceNames()` order, and -1 for the mapper.
class MidiOutputSystem {
public:
    virtual ~MidiOutputSystem() = default;

    virtual std::vector<std::string> deviceNames() = 0;

    // The open port, or why it could not be opened (for the user).
    using OpenResult = Result<std::unique_ptr<MidiOutputPort>>;
    virtual OpenResult open(int device) = 0;
};

// A machine without any MIDI output: no devices, and every open fails.
class NoMidiOutputSystem final : public MidiOutputSystem {
public:
    std::vector<std::string> deviceNames() override { return {}; }
    OpenResult open(int) override
    {
        return OpenResult::failure("No MIDI output device is available.");
    }
};
