#pragma once

#include "base/result.h"
#include "music/custom_melody.h"
#include "music/notated_score.h"

#include <string>
#include <string_view>
#include <vector>

// The rules that turn a part of a notation file into custom melodies.

// The most notes a part may bring: 2000 notes give some 150 melodies already, far more than
// anyone drills from one file; a longer part is a mistake (or a hostile file), refused at once.
inline constexpr std::size_t maxImportedNotes = 2000;

// The melodies' common name: the work title, else the movement title, else the file's base
// name; commas and line ends left out, blanks at the ends trimmed, at most `maxTitle`
// characters (cut at a whole UTF-8 character). Guitar melodies begin with "GUITAR", the mark
// by which the melody file tells them apart.
std::string importedMelodyTitle(const NotatedScore& score, std::string_view fileBaseName,
                                bool guitar);

// The melodies of `part`, named after `title`:
// - moved by whole octaves into MIDI keys 36..83 when it lies outside (the smallest move),
//   refused naming the first note that stays outside when no octave holds them all (the
//   move that leaves the fewest outside decides which);
// - more than 13 notes become consecutive melodies of at most 13: whole phrases, joined while
//   they fit, and a phrase of more than 13 notes cut into nearly equal pieces; named
//   "<title> 1", "<title> 2", ...; the title is shortened where the number would make a
//   name longer than 98 characters.
// Fails for a part without notes or with more than maxImportedNotes.
Result<std::vector<CustomMelody>> melodiesOfPart(const NotatedPart& part, const std::string& title);

// A MIDI key as a musician names it, sharps for the black keys: 60 is "C4", 61 "C#4".
std::string pitchName(int key);
