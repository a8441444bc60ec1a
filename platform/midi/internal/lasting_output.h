#pragma once

#include "platform/midi/midi_output_port.h"

#include <functional>
#include <memory>
#include <mutex>

// An output that is started once and then stays up for the rest of the
// program: the built-in synthesizer, whose audio driver takes up to a
// second to shut down (it waits for the sound server) and must never be
// started or stopped on the GUI thread for a mere focus change.
//
// open() starts the output on the first call (and again after a failed
// start) and hands out a light port onto it. Closing that port silences the
// output's notes and returns its controllers to their defaults, exactly what
// a closed and reopened device sounds like, but leaves the output running, so
// the next open() is immediate. The output itself is released when the last
// of this object and its handed-out ports goes.
class LastingOutput {
public:
    using Starter = std::function<MidiOutputSystem::OpenResult()>;

    explicit LastingOutput(Starter start) : start_(std::move(start)) {}

    MidiOutputSystem::OpenResult open();

    // True once the output has started and not failed since.
    bool started() const;

private:
    Starter start_;
    mutable std::mutex mutex_;
    std::shared_ptr<MidiOutputPort> output_;
};
