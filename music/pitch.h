#pragma once

#include <array>

// Pitch numbering shared by the whole program.
//
// Note index: a chromatic pitch in semitones from C2. 0 is C2, 24 is middle C
// (C4), 47 is B5; the drills use 0..47, the pitch detector 0..48 (C6).
// Step: a diatonic staff position in letter names from C2. The letter of step
// s is s % 7 (C = 0 .. B = 6), its octave s / 7; steps 0..27 exist.

inline constexpr int kStepCount = 28;      // steps 0..27, C2..B5
inline constexpr int kNoteIndexCount = 48; // note indices 0..47, C2..B5
inline constexpr int kLettersPerOctave = 7;

// The sign written before a note. `Natural` marks a plain note that cancels an
// earlier note's sign (see markNaturalSigns); it sounds as the plain note.
enum class Accidental { None = 0, Sharp = 1, Flat = 2, Natural = 100 };

// Semitones the sign moves its letter's natural note: +1 sharp, -1 flat, else 0.
constexpr int semitoneShift(Accidental accidental)
{
    return accidental == Accidental::Sharp ? 1 : accidental == Accidental::Flat ? -1 : 0;
}

// Letter numbers of a step.
namespace letter {
inline constexpr int C = 0, D = 1, E = 2, F = 3, G = 4, A = 5, B = 6;
}

namespace detail {

constexpr std::array<int, kStepCount> buildNoteIndexOfStep()
{
    constexpr int semitoneOfLetter[kLettersPerOctave] = {0, 2, 4, 5, 7, 9, 11};
    std::array<int, kStepCount> table{};
    for (int s = 0; s < kStepCount; ++s)
        table[s] = semitoneOfLetter[s % 7] + 12 * (s / 7);
    return table;
}

// Walks the steps in order: D, E, G, A and B first take the black key below
// them, so every black key is spelled as the flat of the letter above.
constexpr std::array<int, kNoteIndexCount> buildStepOfNoteIndex()
{
    std::array<int, kNoteIndexCount> table{};
    int next = 0;
    for (int s = 0; s < kStepCount; ++s) {
        int l = s % 7;
        if (l != letter::C && l != letter::F)
            table[next++] = s;
        table[next++] = s;
    }
    return table;
}

} // namespace detail

// Step -> note index of its natural note: step 20 (B4) gives 35.
inline constexpr std::array<int, kStepCount> noteIndexOfStep = detail::buildNoteIndexOfStep();

// Note index -> step, black keys spelled as flats (0, 1, 1, 2, 2, 3, 4, 4, ...).
// Subtract 1 from the step for the sharp spelling.
inline constexpr std::array<int, kNoteIndexCount> stepOfNoteIndex = detail::buildStepOfNoteIndex();

constexpr int letterOfStep(int step)
{
    return ((step % 7) + 7) % 7;
}

// The MIDI key sounded for a note index; `transpose` is 0..48, 24 = none.
constexpr int midiKeyOfNoteIndex(int noteIndex, int transpose)
{
    return noteIndex + 36 + (transpose - 24);
}

// Black-key semitones (1, 3, 6, 8, 10 above C).
constexpr bool isBlackKeySemitone(int semitone)
{
    int s = ((semitone % 12) + 12) % 12;
    return s == 1 || s == 3 || s == 6 || s == 8 || s == 10;
}
