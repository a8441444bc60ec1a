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

int lettersDown(int letterIndex, int count)
{
    return ((letterIndex - count) % 7 + 7) % 7;
}

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

DrillKey settleDrillKey(int scale, int mode, int currentKeySignature, RandomSource& random)
{
    const bool fixedKey = isFixedKey(scale);
    const bool major = mode == kMajorMode;
    const bool minor = mode == kMinorMode;

    DrillKey key;
    if (!fixedKey)
        key.keySignature = random.Random(14) + 1;
    else if (major)
        key.keySignature = scale;
    else if (minor)
        key.keySignature = minorKeySignature(scale);
    else
        key.keySignature = currentKeySignature;

    key.drillKey = fixedKey ? scale : key.keySignature;
    key.signatureDrawn = major || minor;
    if (key.signatureDrawn)
        key.accidentals = keyAccidental(key.keySignature);

    key.tonicLetter = tonicLetter(key.drillKey);
    if (minor && !fixedKey)
        key.tonicLetter = lettersDown(key.tonicLetter, 2);
    else if (minor && scale >= 13)
        key.tonicLetter = lettersDown(key.tonicLetter, 1);

    key.tonicAccidental = tonicAccidental(key.drillKey);
    key.sharpSpelling = key.drillKey < kFirstFlatKey;
    return key;
}
