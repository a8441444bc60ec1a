#pragma once

#include "music/random_source.h"

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

// Accidental of the tonic of key index 1..15 as drawn in scales other than
// MAJOR and MINOR: sharp for F# and C#, flat for Bb to Cb, else none.
int tonicAccidental(int keyIndex);

// Number of sharps (codes 1..8) or flats (codes 9..15) of a signature code;
// 0 for codes outside 1..15.
int sharpsOfSignature(int keySignature);
int flatsOfSignature(int keySignature);

// Accidental code per letter C..B.
using KeyAccidentals = std::array<int, 7>;

// The accidental that signature `keySignature` puts on each letter: sharps go
// on F, C, G, D, A, E, B in that order, flats on B, E, A, D, G, C, F. All
// letters are natural for codes outside 1..15.
KeyAccidentals keyAccidental(int keySignature);

// The signature of a MINOR drill in fixed key 1..15: that of the relative
// major of the minor key on the same tonic (C gives C minor, three flats).
// Db, Gb and Cb are respelled as C#, F# and B minor.
int minorKeySignature(int keyIndex);

// Everything a new drill needs to know about its key.
struct DrillKey {
    int keySignature = 1;         // signature code 1..15 of the drill
    int drillKey = 1;             // the key the generator uses, 1..15
    KeyAccidentals accidentals{}; // filled for MAJOR and MINOR only, else all natural
    bool signatureDrawn = true;   // MAJOR and MINOR drills show a key signature
    int tonicLetter = 0;          // letter 0..6 of the melody's tonic
    // For scales other than MAJOR and MINOR: the tonic's accidental, and
    // whether chromatic notes are spelled with sharps (else flats).
    int tonicAccidental = 0;
    bool sharpSpelling = true;
};

// Settles the key of a new drill.
//  - `scale` 0 (Random): the signature is drawn as random.Random(14) + 1
//    (1..14; Cb is never drawn);
//  - a fixed key with MAJOR: its own signature; with MINOR: minorKeySignature;
//  - a fixed key with any other scale: `currentKeySignature` is kept and no
//    signature is drawn.
// The tonic of a MINOR drill in a random key is the relative minor (two
// letters below the major tonic); in fixed keys Db, Gb, Cb it is one letter
// below (C#, F#, B). `scale` outside 0..15 is treated as Random.
// Makes exactly one draw from `random` for a random key and none otherwise.
DrillKey settleDrillKey(int scale, int mode, int currentKeySignature, RandomSource& random);
