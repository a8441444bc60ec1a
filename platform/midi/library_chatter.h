#pragma once

// FluidSynth and the ALSA library print warnings straight to the terminal
// (missing sound server, no sequencer, SoundFont quirks). The program reports
// real failures itself, so these messages are muted unless `verbose`.
// Process-wide; call before opening any MIDI device.
void setMidiLibraryChatter(bool verbose);
