#pragma once

#include "music/drill_choices.h"
#include "music/pitch.h"

#include <array>

// Keys and key signatures.
//
// Key index (the `scale` setting): 0 = a random key for every drill, then
// 1 C, 2 G, 3 D, 4 A, 5 E, 6 B, 7 F#, 8 C#, 9 F, 10 Bb, 11 Eb, 12 Ab, 13 Db,
// 14 Gb, 15 Cb.
// Key signature code (`keySignature`, 1..15): 1..8 carry 0..7 sharps, 9..15
// carry 1..7 flats. The MAJOR signature of key index k is code k.

inline constexpr int kRandomKey = 0;
inline constexpr int kKeyCount = 16; // key indices 0..15
inline constexpr int kFirstFlatKey = 9;
inline constexpr int kLastKey = 15;

constexpr bool isFixedKey(int keyIndex)
{
    return keyIndex >= 1 && keyIndex <= kLastKey;
}

// Letter (0 C .. 6 B) of the tonic of key index 1..15; 0 (C) for any other value.
int tonicLetter(int keyIndex);

// Pitch class (0 C .. 11 B) of the tonic of key index 1..15; 0 for any other value.
int tonicPitchClass(int keyIndex);

// Accidental of the tonic of key index 1..15 as drawn in scales other than
// MAJOR and MINOR: sharp for F# and C#, flat for Bb to Cb, else none.
Accidental tonicAccidental(int keyIndex);

// Number of sharps (codes 1..8) or flats (codes 9..15) of a signature code;
// 0 for codes outside 1..15.
int sharpsOfSignature(int keySignature);
int flatsOfSignature(int keySignature);

// Accidental code per letter C..B.
using KeyAccidentals = std::array<Accidental, 7>;

// The accidental that signature `keySignature` puts on each letter: sharps go
// on F, C, G, D, A, E, B in that order, flats on B, E, A, D, G, C, F. All
// letters are natural for codes outside 1..15.
KeyAccidentals keyAccidental(int keySignature);

// The signature of a MINOR drill in fixed key 1..15: that of the relative
// major of the minor key on the same tonic (C gives C minor, three flats).
// Db, Gb and Cb are respelled as C#, F# and B minor.
int minorKeySignature(int keyIndex);

// The signature code in force for a drill: `scale` 0 (random key) and scales other
// than MAJOR and MINOR keep `currentCode`; MAJOR uses the key's own code and MINOR
// the code of the minor key on that tonic.
int keySignatureFor(int scale, ScaleMode mode, int currentCode);

// Whether a melody spells every altered note with its own sign (no key signature is
// drawn, or the melody is the user's own) and so needs natural signs.
constexpr bool spellsOwnAccidentals(ScaleMode mode, DrillType type)
{
    return !isDiatonic(mode) || isCustomDrill(type);
}
