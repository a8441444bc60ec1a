#pragma once

// The computer's own beeps, for when no MIDI output is there to sound.
class Beeper {
public:
    virtual ~Beeper() = default;

    // A tone of the given pitch and length; returns at once.
    virtual void tone(double frequencyHz, int milliseconds) = 0;

    // The system's simple warning beep.
    virtual void alert() = 0;
};
