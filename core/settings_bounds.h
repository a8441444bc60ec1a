#pragma once

#include "core/settings.h"

// Brings settings read from a hand-edited or damaged file into the ranges the
// program can show and use, so that no later table lookup goes out of bounds.
// Values already in range are never changed, so a file the program wrote
// itself loads unchanged. `scaleCount` is the size of the loaded scale list.
//
//   numScales            := scaleCount
//   mode outside the list    -> 0 (MAJOR)
//   noteName outside 0..2    -> 2 (microphone only)
//   drilltype outside 1..3   -> 1 (composed melodies)
//   midi below -1            -> -1 (the mapper)
//   autostart, notation, shapeNote: any non-zero value -> 1
//   custMelody below 0       -> 0
//   every other setting is clamped to its nearest bound: cycles 1..9,
//   range 0..5, melosize 1..12, scale 0..15, level 0..2, miditimbre 0..127,
//   midiVol, micVol, micFilter 0..128, A 430..450, transpose 0..48.
void keepSettingsInRange(Settings& settings, int scaleCount);
