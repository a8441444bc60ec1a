#pragma once

#include "rhythm/periodic_timer.h"
#include "rhythm/shared_midi_output.h"

#include <cstdint>

// The audible metronome: one percussion tick per beat on channel 10, key 68,
// played from its own timer thread through the shared output. It only runs
// while the output is open.
//
// Where the output has a clock of its own (the built-in synthesizer, once its
// sounds are loaded), the ticks are sent ahead on that clock, each exactly a
// beat after the one before in the sound itself; otherwise (a sequencer port)
// each is sent when it is due.
class Metronome {
public:
    static constexpr std::uint8_t tickStatus = 0x99; // note-on, channel 10
    static constexpr std::uint8_t tickKey = 68;
    static constexpr std::uint8_t tickVelocity = 120;
    // How far beyond the next beat ticks are sent ahead: enough to cover a
    // timer wake-up that comes late and the audio rendered ahead of the
    // speakers, small enough that few ticks are waiting at any time.
    static constexpr std::uint32_t scheduleMarginMs = 60;

    explicit Metronome(SharedMidiOutput& output) : output_(output) {}

    // Starts ticking at once and then every `beatMilliseconds`; false (and not
    // running) when the output is closed.
    bool start(std::uint32_t beatMilliseconds);

    // Stops the ticks (also those sent ahead) and ends the last one with a
    // note-off.
    void stop();

    // Stops and starts again at a new beat length.
    bool restart(std::uint32_t beatMilliseconds);

    bool running() const { return timer_.running(); }
    std::uint32_t beatMilliseconds() const { return beat_; }

    // One tick, as the timer thread plays it.
    static void tick(SharedMidiOutput& output);

private:
    // With a clock on the output: sends ahead every tick due before it
    // passes the next beat and the margin; without: ticks now. Runs on the
    // timer thread (and in start()).
    void onTimer();

    SharedMidiOutput& output_;
    PeriodicTimer timer_;
    std::uint32_t beat_ = 0;
    // Ticks sent ahead: tick k is due at origin + k beats on the output's clock.
    bool onClock_ = false;
    std::uint32_t origin_ = 0;
    std::uint32_t nextTick_ = 0;
};
