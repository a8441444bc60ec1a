#pragma once

#include "platform/system/beeper.h"
#include "rhythm/shared_midi_output.h"

#include <cstdint>

// How beatwise sounds: short messages through the shared MIDI output, or, with
// no output open, note-ons as beeps of the computer.
class RhythmSound {
public:
    RhythmSound(SharedMidiOutput& output, Beeper& beeper) : output_(output), beeper_(beeper) {}

    // Sends when the output is open; otherwise a note-on beeps and the rest is dropped.
    void play(std::uint8_t status, std::uint8_t key, std::uint8_t velocity);
    // Sends when the output is open; otherwise nothing.
    void stop(std::uint8_t status, std::uint8_t key, std::uint8_t velocity);

    // The sound of a computer-keyboard hit and of its release.
    void keyboardHit();
    void keyboardRelease();

    // Gets the output ready to sound the hits' program at once.
    void preloadHitProgram();

    // The program the hits sound with, set before every MIDI keyboard message.
    void selectHitProgram(std::uint8_t filler);

    // The beep that stands in for a note-on: 50 ms at twice the pitch of the
    // key's pitch class in the octave from C5.
    static double fallbackFrequency(std::uint8_t key);

private:
    SharedMidiOutput& output_;
    Beeper& beeper_;
};
