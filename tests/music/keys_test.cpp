#include "music/keys.h"
#include "music/pitch.h"
#include "music/scales.h"
#include "tests/support/scripted_random_source.h"

#include <gtest/gtest.h>

namespace {

constexpr int kChromaticMode = 2;

// Settles a drill's key with scripted draws, every one of which must be used.
DrillKey settle(int scale, int mode, std::vector<int> draws = {}, int currentSignature = 1)
{
    ScriptedRandomSource random(std::move(draws));
    const DrillKey key = settleDrillKey(scale, mode, currentSignature, random);
    EXPECT_TRUE(random.exhausted());
    return key;
}

} // namespace

TEST(Keys, SignaturesAndTheirSafeLimits)
{
    EXPECT_EQ(keyAccidental(1), KeyAccidentals{});
    EXPECT_EQ(keyAccidental(2), (KeyAccidentals{0, 0, 0, kSharp, 0, 0, 0})); // G: F sharp
    EXPECT_EQ(keyAccidental(8), (KeyAccidentals{1, 1, 1, 1, 1, 1, 1}));      // C#
    EXPECT_EQ(keyAccidental(9), (KeyAccidentals{0, 0, 0, 0, 0, 0, kFlat}));  // F: B flat
    EXPECT_EQ(keyAccidental(11), (KeyAccidentals{0, 0, 2, 0, 0, 2, 2}));     // Eb
    EXPECT_EQ(keyAccidental(15), (KeyAccidentals{2, 2, 2, 2, 2, 2, 2}));     // Cb
    // Values outside 1..15 read nothing past the tables.
    for (int outside : {0, 16, -4}) {
        EXPECT_EQ(keyAccidental(outside), KeyAccidentals{});
        EXPECT_EQ(tonicLetter(outside), letter::C);
        EXPECT_EQ(tonicAccidental(outside), kNoAccidental);
    }
}

// The relative major of the minor key on each tonic; Db, Gb and Cb minor are
// spelled C#, F# and B minor.
TEST(Keys, MinorSignaturesAreThoseOfTheRelativeMajor)
{
    const std::pair<int, int> keyAndSignature[] = {{1, 11}, {3, 9},   {4, 1},  {8, 5},
                                                   {9, 12}, {12, 15}, {13, 5}, {15, 3}};
    for (const auto& [key, signature] : keyAndSignature)
        EXPECT_EQ(minorKeySignature(key), signature) << key;
    EXPECT_EQ(minorKeySignature(0), 1) << "no key: C major's signature";
}

TEST(DrillKeys, RandomKeysDrawOneOfFourteenSignatures)
{
    ScriptedRandomSource random{13};
    const DrillKey key = settleDrillKey(kRandomKey, kMajorMode, 1, random);
    EXPECT_EQ(random.bounds(), std::vector<int>{14});
    EXPECT_EQ(key.keySignature, 14);
    EXPECT_EQ(key.drillKey, 14);
    EXPECT_EQ(key.accidentals, keyAccidental(14));
    EXPECT_EQ(settle(40, kMajorMode, {2}).drillKey, 3) << "a key outside 0..15 is random";

    // MINOR in a random key is the relative minor: C major drawn gives A minor.
    const DrillKey aMinor = settle(kRandomKey, kMinorMode, {0});
    EXPECT_EQ(aMinor.keySignature, 1);
    EXPECT_EQ(aMinor.tonicLetter, letter::A);
}

TEST(DrillKeys, FixedKeysDrawNothing)
{
    const DrillKey cMinor = settle(1, kMinorMode);
    EXPECT_EQ(cMinor.keySignature, 11);
    EXPECT_EQ(cMinor.tonicLetter, letter::C);
    const DrillKey dbMinor = settle(13, kMinorMode); // C# minor: E major's four sharps
    EXPECT_EQ(dbMinor.keySignature, 5);
    EXPECT_EQ(dbMinor.tonicLetter, letter::C);
    EXPECT_EQ(dbMinor.accidentals[letter::C], kSharp);

    // Other scales keep the signature on show, carry no accidentals and spell by the key.
    const DrillKey bFlat = settle(10, kChromaticMode, {}, 7);
    EXPECT_EQ(bFlat.keySignature, 7);
    EXPECT_EQ(bFlat.drillKey, 10);
    EXPECT_FALSE(bFlat.signatureDrawn);
    EXPECT_EQ(bFlat.accidentals, KeyAccidentals{});
    EXPECT_EQ(std::pair(bFlat.tonicLetter, bFlat.tonicAccidental), std::pair(letter::B, kFlat));
    EXPECT_FALSE(bFlat.sharpSpelling);
    EXPECT_TRUE(settle(8, kChromaticMode).sharpSpelling);  // C#: the last key with sharps
    EXPECT_FALSE(settle(9, kChromaticMode).sharpSpelling); // F: the first with flats
}
