#pragma once

#include <algorithm>

// The program's MIDI conventions. Note-ons go to channel 1 only; note-offs and
// program changes go to channel 1 and, where a caller says so, again to
// channel 13.
namespace midiStatus {
inline constexpr int noteOn = 0x90;
inline constexpr int noteOff = 0x80;
inline constexpr int noteOffChannel13 = 0x8C;
inline constexpr int programChange = 0xC0;
inline constexpr int programChangeChannel13 = 0xCC;
} // namespace midiStatus

// The General MIDI program of the intro's notes; kept loaded with the drill's timbre.
inline constexpr int introProgram = 16;

// Release velocity of the melody playback's note-offs, and the filler byte that
// follows its program changes.
inline constexpr int playbackReleaseVelocity = 94;

// The note-on velocity for the `midiVol` setting. The slider reaches 128, one
// more than a MIDI data byte holds: that, and anything out of range from a
// hand-edited settings file, is clamped to 0..127.
constexpr int noteOnVelocity(int midiVol)
{
    return std::clamp(midiVol, 0, 127);
}
