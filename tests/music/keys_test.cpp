#include "music/keys.h"
#include "music/pitch.h"
#include "music/scales.h"
#include "music/tonic_triad.h"

#include "tests/support/accidentals.h"

#include <gtest/gtest.h>

namespace {

constexpr int kChromaticMode = 2;

} // namespace

TEST(Keys, SignaturesStayWithinTheirSafeLimits)
{
    EXPECT_EQ(keyAccidental(1), KeyAccidentals{});
    EXPECT_EQ(keyAccidental(2), signsOf("...#..."));  // G: F sharp
    EXPECT_EQ(keyAccidental(8), signsOf("#######"));  // C#
    EXPECT_EQ(keyAccidental(9), signsOf("......b"));  // F: B flat
    EXPECT_EQ(keyAccidental(11), signsOf("..b..bb")); // Eb
    EXPECT_EQ(keyAccidental(15), signsOf("bbbbbbb")); // Cb
    // Values outside 1..15 read nothing past the tables.
    for (int outside : {0, 16, -4}) {
        EXPECT_EQ(keyAccidental(outside), KeyAccidentals{});
        EXPECT_EQ(tonicLetter(outside), letter::C);
        EXPECT_EQ(tonicAccidental(outside), plain);
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

// A fixed MAJOR key shows its own signature, a fixed MINOR key that of its relative major;
// a random key and the other scale types keep the signature in force.
TEST(Keys, TheSignatureInForceForEachKindOfKey)
{
    const struct {
        const char* name;
        int scale, mode, current, signature;
    } rows[] = {
        {"C major", 1, kMajorMode, 7, 1},
        {"Cb major", 15, kMajorMode, 7, 15},
        {"C minor", 1, kMinorMode, 7, 11},
        {"Db minor as C#", 13, kMinorMode, 7, 5},
        {"random key keeps", kRandomKey, kMajorMode, 7, 7},
        {"chromatic keeps", 10, kChromaticMode, 7, 7},
    };
    for (const auto& r : rows)
        EXPECT_EQ(keySignatureFor(r.scale, scaleModeOf(r.mode), r.current), r.signature) << r.name;
    EXPECT_TRUE(spellsOwnAccidentals(ScaleMode::Other, DrillType::Composed));
    EXPECT_TRUE(spellsOwnAccidentals(ScaleMode::Major, DrillType::RandomCustom));
    EXPECT_FALSE(spellsOwnAccidentals(ScaleMode::Minor, DrillType::Composed));
}

namespace {

// The triad sounded before a melody sung at sight: the tonic at or just below
// the first note, with the third of the scale's kind.
TEST(TonicTriad, RootsOnTheTonicAtOrBelowTheFirstNote)
{
    int keyOfD = 0;
    for (int k = 1; k <= 15 && !keyOfD; ++k)
        if (tonicPitchClass(k) == 2)
            keyOfD = k;
    ASSERT_NE(keyOfD, 0);
    struct Row {
        const char* name;
        int firstNote;
        bool custom;
        int drillKey;
        ScaleMode mode;
        std::array<int, 3> triad;
    } rows[] = {
        {"composed C major from C4", 24, false, 1, ScaleMode::Major, {24, 28, 31}},
        {"composed A minor from A4", 33, false, 1, ScaleMode::Minor, {33, 36, 40}},
        // A custom melody need not start on its tonic: the key decides.
        {"custom in D from F#4", 30, true, keyOfD, ScaleMode::Major, {26, 30, 33}},
        {"custom in D from D4", 26, true, keyOfD, ScaleMode::Major, {26, 30, 33}},
    };
    for (const Row& row : rows) {
        Melody melody;
        melody.noteCount = 1;
        melody.noteIndex[0] = row.firstNote;
        melody.isCustom = row.custom;
        melody.drillKey = row.drillKey;
        EXPECT_EQ(tonicTriad(melody, row.mode), row.triad) << row.name;
    }
}

} // namespace
