#pragma once

#include "rhythm/periodic_timer.h"
#include "rhythm/shared_midi_output.h"

#include <cstdint>

// The audible metronome: one percussion tick per beat on channel 10, key 68,
// played from its own timer thread through the shared output. It only runs
// while the output is open.
class Metronome {
public:
    static constexpr std::uint8_t tickStatus = 0x99; // note-on, channel 10
    static constexpr std::uint8_t tickKey = 68;
    static constexpr std::uint8_t tickVelocity = 120;

    explicit Metronome(SharedMidiOutput& output) : output_(output) {}

    // Starts ticking at once and then every `beatMilliseconds`; false (and not
    // running) when the output is closed.
    bool start(std::uint32_t beatMilliseconds);

    // Stops the ticks and ends the last one with a note-off.
    void stop();

    // Stops and starts again at a new beat length.
    bool restart(std::uint32_t beatMilliseconds);

    bool running() const { return timer_.running(); }
    std::uint32_t beatMilliseconds() const { return beat_; }

    // One tick, as the timer thread plays it.
    static void tick(SharedMidiOutput& output);

private:
    SharedMidiOutput& output_;
    PeriodicTimer timer_;
    std::uint32_t beat_ = 0;
};
