#pragma once

#include "music/drill_choices.h"
#include "music/keys.h"
#include "render/layout_top.h"

// Where things lie on the two staves of the main window.

// The five lines of each staff, x from 28 up to (not including) 473.
inline constexpr int kStaffLeft = 28;
inline constexpr int kStaffRight = 473;
inline constexpr int kMelodyStaffTop = layoutTop + 112;
inline constexpr int kAnswerStaffTop = layoutTop + 255;
inline constexpr int kLineSpacing = 6;
inline constexpr int kPixelsPerStep = 3;
inline constexpr int kColumnWidth = 30; // note n sits at firstNoteX + 30 n
inline constexpr int kNoteBoxCount = 13;

enum class ClefCase {
    Guitar, // treble clef with an "8" below; notes written an octave above their sound
    Treble,
    Bass,
};

// Guitar answer mode always writes the treble-with-8; otherwise the voice range decides:
// Soprano to Tenor (range 0..3) treble, Baritone and Bass bass.
ClefCase clefCaseFor(AnswerMode mode, int range);

struct StaffBases {
    int melody; // glyph top of a note at step s: base + layoutTop - 3 s
    int answer;
};
StaffBases staffBasesFor(ClefCase clef);

// Left edge of the staff content before the first note column: 58 without accidentals,
// 65 + 5 k for k accidentals, 65 when no signature is drawn (`mode` >= 2). The first note
// column lies 20 pixels further right.
int signatureEndX(int keySignature, ScaleMode mode);

// Glyph top y of a note at `step` on a staff with base `staffBase`.
constexpr int noteTopY(int staffBase, int step)
{
    return staffBase + layoutTop - kPixelsPerStep * step;
}
