#pragma once

#include "drill/settings.h"

// Brings settings read from a hand-edited or damaged file into the ranges the
// program can use, so that no later table lookup or computation goes wrong.
// Only values that would do harm are touched; values in range (and harmless
// oddities such as an autostart of 3, which still means "on") load as they
// stand, so a file the program wrote itself always loads unchanged.
// `scaleCount` is the size of the loaded scale list.
//
//   numScales                := scaleCount
//   mode outside the list    -> 0 (MAJOR)
//   noteName outside 0..2    -> 2 (microphone only)
//   drilltype outside 1..3   -> 1 (composed melodies)
//   midi below -1            -> -1 (the mapper)
//   cycles, custMelody below 0 -> 0
//   clamped to the nearest bound: range 0..5, melosize 1..12, scale 0..15,
//   level 0..2, miditimbre 0..127, A 430..450, transpose 0..48.
void keepSettingsInRange(Settings& settings, int scaleCount);
