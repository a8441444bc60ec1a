#pragma once

#include "music/drill_choices.h"

#include <array>
#include <string_view>

// The note-name tables shown to the user, in letter names ("C,D,E", notation
// 0) or solfege names ("Do,Re,Mi", any other notation value).
struct NoteNames {
    // Semitones 0..11 from C; naturals carry a trailing blank ("C ", "Do ")
    // except "Sol", so the columns line up.
    std::array<std::string_view, 12> chromaticNames;
    std::array<std::string_view, 7> naturalNames; // letters C..B
    std::array<std::string_view, 7> flatNames;    // letters C..B, each flattened
    std::array<std::string_view, 7> sharpNames;   // letters C..B, each sharpened
    std::array<std::string_view, 16> keyNames;    // key indices 0..15, 0 is "Random"
};

const NoteNames& letterNoteNames();
const NoteNames& solfegeNoteNames();

// Selects the tables for a notation.
const NoteNames& noteNamesFor(Notation notation);
