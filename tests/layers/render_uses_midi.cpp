// Must not compile: render/ draws only; it sends no MIDI.
#include "midi/midi_messages.h"
#include "render/colours.h"

int probe()
{
    return midiStatus::noteOn;
}
