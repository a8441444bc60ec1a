#pragma once

#include "music/pitch.h"

// How the answer staff writes a note that was sung or played on the keyboard.
// The due note decides the spelling: a black key becomes its sharp or its flat
// as the due note is written, and a white key becomes Fb, Cb, E# or B# when the
// due note is spelled that way. `step` is the staff position of the note head.
struct AnswerSpelling {
    int step = 0;
    Accidental accidental = Accidental::None; // never Natural
};

// Staff step of a note index 0..48 (48, the C above the drills' notes, included).
int stepOfSungNote(int noteIndex);

AnswerSpelling spellAnswerNote(int noteIndex, Accidental dueAccidental);
