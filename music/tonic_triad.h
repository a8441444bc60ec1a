#pragma once

#include "music/drill_choices.h"
#include "music/melody.h"

#include <array>

// The pitch class (0 C .. 11 B) of a melody's tonic: a composed melody
// starts on its tonic; a custom one is in the key of the drill.
int melodyTonicPitchClass(const Melody& melody);

// The tonic triad sounded before a melody is sung at sight, as note indices
// in root position: its root the tonic at or just below the first note, a
// minor third for a MINOR drill, else a major one.
std::array<int, 3> tonicTriad(const Melody& melody, ScaleMode mode);
