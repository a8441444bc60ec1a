#include "music/keys.h"

#include "music/pitch.h"
#include "music/scales.h"

namespace {

struct KeyRow {
    int tonicLetter;
    int tonicAccidental;
};

// Rows for key indices 1..15 (index 0, Random, has no tonic).
constexpr KeyRow kKeyRows[kKeyCount] = {
    {letter::C, kNoAccidental}, // Random
    {letter::C, kNoAccidental}, {letter::G, kNoAccidental}, {letter::D, kNoAccidental},
    {letter::A, kNoAccidental}, {letter::E, kNoAccidental}, {letter::B, kNoAccidental},
    {letter::F, kSharp},        {letter::C, kSharp},        {letter::F, kNoAccidental},
    {letter::B, kFlat},         {letter::E, kFlat},         {letter::A, kFlat},
    {letter::D, kFlat},         {letter::G, kFlat},         {letter::C, kFlat},
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

int tonicAccidental(int keyIndex)
{
    return isFixedKey(keyIndex) ? kKeyRows[keyIndex].tonicAccidental : kNoAccidental;
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
        marks[kSharpOrder[i]] = kSharp;
    for (int i = 0; i < flatsOfSignature(keySignature); ++i)
        marks[kFlatOrder[i]] = kFlat;
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

int keySignatureFor(int scale, int mode, int currentCode)
{
    if (!isFixedKey(scale) || mode >= 2)
        return currentCode;
    return mode == kMajorMode ? scale : minorKeySignature(scale);
}
