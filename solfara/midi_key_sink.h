#pragma once

#include "midi/midi_messages.h"
#include "midi/midi_out.h"
#include "solfara/answer_panel.h"

// Sends the keyboard's and fretboard's notes to the program's MIDI output.
class MidiOutKeySink final : public KeySink {
public:
    explicit MidiOutKeySink(MidiOut& out) : out_(out) {}

    void send(int status, int data1, int data2) override
    {
        if ((status & 0xF0) == midiStatus::noteOff)
            out_.Silence(status, data1, data2);
        else
            out_.Play(status, data1, data2);
    }

private:
    MidiOut& out_;
};
