#pragma once

#include "music/pitch.h"

#include <span>

// A melody outside a key signature spells every altered note with its own sign, so a
// plain note that follows a sharpened or flattened note of the same letter needs a
// natural sign. Marks such notes `Accidental::Natural`, in place:
// note n without accidental gets one when an earlier note is a sharp one semitone above it
// or a flat one semitone below it. Marks already present stay.
void markNaturalSigns(std::span<const int> noteIndex, std::span<Accidental> accidental);
