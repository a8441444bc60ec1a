#pragma once

#include "base/result.h"
#include "music/custom_melody.h"
#include "music/notated_score.h"

#include <string>
#include <string_view>

// Standard MIDI Files, formats 0 and 1.
//
// Reading: each track with notes outside channel 10 (the drums) is a part, named by its track
// name ("Track N" without one); in format 0, whose one track carries every channel, each
// channel is a part. Notes that start together are a chord and give their top note; a silence
// of at least an eighth note between two notes is a rest and ends a phrase. Running status,
// a note-on of velocity 0 as a note-off, meta and system exclusive events are read; the
// title is the name of format 1's first track when it has no notes, else of format 0's track.
// Fails with a message for the user on anything that is not such a file, or is cut short.
Result<NotatedScore> readStandardMidiFile(std::string_view bytes);

// A format 0 file of the melody: its name as the track name, quarter notes at 60 BPM
// (480 ticks each) played at velocity 80, each note ending where the next begins.
std::string standardMidiFileOf(const CustomMelody& melody);
