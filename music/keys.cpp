#include "music/keys.h"

#include "music/pitch.h"
#include "music/scales.h"

namespace {

struct KeyRow {
    int tonicLetter;
    Accidental tonicAccidental;
};

// Rows for key indices 1..15 (index 0, Random, has no tonic).
constexpr KeyRow kKeyRows[kKeyCount] = {
    {letter::C, Accidental::None}, // Random
    {letter::C, Accidental::None},  {letter::G, Accidental::None},  {letter::D, Accidental::None},
    {letter::A, Accidental::None},  {letter::E, Accidental::None},  {letter::B, Accidental::None},
    {letter::F, Accidental::Sharp}, {letter::C, Accidental::Sharp}, {letter::F, Accidental::None},
    {letter::B, Accidental::Flat},  {letter::E, Accidental::Flat},  {letter::A, Accidental::Flat},
    {letter::D, Accidental::Flat},  {letter::G, Accidental::Flat},  {letter::C, Accidental::Flat},
};

constexpr int kSharpOrder[7] = {letter::F, letter::C, letter::G, letter::D,
                                letter::A, letter::E, letter::B};
constexpr int kFlatOrder[7] = {letter::B, letter::E, letter::A, letter::D,
                               letter::G, letter::C, letter::F};

} // namespace

int tonicLetter(int keyIndex)
{
    return isFixedKey(keyIndex) ? kKeyRows[keyIndex].tonicLetter : 0;
}

int tonicPitchClass(int keyIndex)
{
    constexpr int semitoneOfLetter[7] = {0, 2, 4, 5, 7, 9, 11};
    const int shift = tonicAccidental(keyIndex) == Accidental::Sharp  ? 1
                      : tonicAccidental(keyIndex) == Accidental::Flat ? 11
                                                                      : 0;
    return (semitoneOfLetter[tonicLetter(keyIndex)] + shift) % 12;
}

Accidental tonicAccidental(int keyIndex)
{
    return isFixedKey(keyIndex) ? kKeyRows[keyIndex].tonicAccidental : Accidental::None;
}

int sharpsOfSignature(int keySignature)
{
    return keySignature >= 1 && keySignature <= 8 ? keySignature - 1 : 0;
}

int flatsOfSignature(int keySignature)
{
    return keySignature >= 9 && keySignature <= 15 ? keySignature - 8 : 0;
}

KeyAccidentals keyAccidental(int keySignature)
{
    KeyAccidentals marks{};
    for (int i = 0; i < sharpsOfSignature(keySignature); ++i)
        marks[kSharpOrder[i]] = Accidental::Sharp;
    for (int i = 0; i < flatsOfSignature(keySignature); ++i)
        marks[kFlatOrder[i]] = Accidental::Flat;
    return marks;
}

int minorKeySignature(int keyIndex)
{
    if (keyIndex >= 1 && keyIndex <= 3)
        return 12 - keyIndex;
    if (keyIndex >= 4 && keyIndex <= 8)
        return keyIndex - 3;
    if (keyIndex >= 9 && keyIndex <= 12)
        return keyIndex + 3;
    if (keyIndex >= 13 && keyIndex <= 15)
        return 18 - keyIndex;
    return 1;
}

int keySignatureFor(int scale, ScaleMode mode, int currentCode)
{
    if (!isFixedKey(scale) || !isDiatonic(mode))
        return currentCode;
    return mode == ScaleMode::Major ? scale : minorKeySignature(scale);
}
