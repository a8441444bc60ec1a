#include "music/keys.h"
#include "music/pitch.h"
#include "music/scales.h"

#include <gtest/gtest.h>

#include <deque>

namespace {

// Hands out scripted draws and records the n of every call.
class ScriptedRandom : public RandomSource {
public:
    explicit ScriptedRandom(std::deque<int> draws) : draws_(std::move(draws)) {}
    int Random(int n) override
    {
        asked.push_back(n);
        int value = draws_.empty() ? 0 : draws_.front();
        if (!draws_.empty())
            draws_.pop_front();
        return value;
    }
    std::vector<int> asked;

private:
    std::deque<int> draws_;
};

constexpr int kChromaticMode = 2;

} // namespace

TEST(Keys, SignatureCodesCarrySharpsThenFlats)
{
    EXPECT_EQ(keyAccidental(1), (KeyAccidentals{0, 0, 0, 0, 0, 0, 0}));
    // G major: F sharp.
    EXPECT_EQ(keyAccidental(2), (KeyAccidentals{0, 0, 0, kSharp, 0, 0, 0}));
    // C# major: every letter sharp.
    EXPECT_EQ(keyAccidental(8), (KeyAccidentals{1, 1, 1, 1, 1, 1, 1}));
    // F major: B flat; Eb major: B, E, A flat.
    EXPECT_EQ(keyAccidental(9), (KeyAccidentals{0, 0, 0, 0, 0, 0, kFlat}));
    EXPECT_EQ(keyAccidental(11), (KeyAccidentals{0, 0, 2, 0, 0, 2, 2}));
    EXPECT_EQ(keyAccidental(15), (KeyAccidentals{2, 2, 2, 2, 2, 2, 2}));
    // Codes outside 1..15 carry nothing rather than reading past the orders.
    EXPECT_EQ(keyAccidental(0), KeyAccidentals{});
    EXPECT_EQ(keyAccidental(99), KeyAccidentals{});
    EXPECT_EQ(keyAccidental(-4), KeyAccidentals{});
}

TEST(Keys, TonicLettersAndAccidentals)
{
    const int letters[] = {0, 0, 4, 1, 5, 2, 6, 3, 0, 3, 6, 2, 5, 1, 4, 0};
    const int accidentals[] = {0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 2, 2, 2, 2, 2, 2};
    for (int k = 1; k < kKeyCount; ++k) {
        EXPECT_EQ(tonicLetter(k), letters[k]) << k;
        EXPECT_EQ(tonicAccidental(k), accidentals[k]) << k;
    }
    EXPECT_EQ(tonicLetter(-1), 0);
    EXPECT_EQ(tonicAccidental(16), 0);
}

TEST(Keys, MinorSignaturesAreThoseOfTheRelativeMajor)
{
    // C minor: Eb major's three flats. A minor: C major. Db, Gb, Cb minor are
    // spelled C#, F#, B minor: E, A, D major.
    EXPECT_EQ(minorKeySignature(1), 11);
    EXPECT_EQ(minorKeySignature(4), 1);
    EXPECT_EQ(minorKeySignature(8), 5);
    EXPECT_EQ(minorKeySignature(9), 12);
    EXPECT_EQ(minorKeySignature(13), 5);
    EXPECT_EQ(minorKeySignature(14), 4);
    EXPECT_EQ(minorKeySignature(15), 3);
    for (int k = 1; k <= 15; ++k) {
        int code = minorKeySignature(k);
        EXPECT_GE(code, 1);
        EXPECT_LE(code, 15);
    }
}

TEST(DrillKeys, RandomKeyDrawsOneToFourteen)
{
    ScriptedRandom random({13});
    DrillKey key = settleDrillKey(kRandomKey, kMajorMode, 1, random);
    EXPECT_EQ(random.asked, std::vector<int>{14});
    EXPECT_EQ(key.keySignature, 14);
    EXPECT_EQ(key.drillKey, 14);
    EXPECT_EQ(key.accidentals, keyAccidental(14));
}

TEST(DrillKeys, RandomMinorDrawingCIsAMinor)
{
    ScriptedRandom random({0});
    DrillKey key = settleDrillKey(kRandomKey, kMinorMode, 1, random);
    EXPECT_EQ(key.keySignature, 1);
    EXPECT_EQ(key.tonicLetter, letter::A);
    EXPECT_EQ(key.accidentals, KeyAccidentals{});
}

TEST(DrillKeys, FixedMinorKeys)
{
    ScriptedRandom random({});
    DrillKey cMinor = settleDrillKey(1, kMinorMode, 1, random);
    EXPECT_EQ(cMinor.keySignature, 11);
    EXPECT_EQ(cMinor.drillKey, 1);
    EXPECT_EQ(cMinor.tonicLetter, letter::C);
    EXPECT_EQ(cMinor.accidentals[letter::E], kFlat);

    DrillKey dbMinor = settleDrillKey(13, kMinorMode, 1, random);
    EXPECT_EQ(dbMinor.keySignature, 5); // E major's four sharps
    EXPECT_EQ(dbMinor.tonicLetter, letter::C);
    EXPECT_EQ(dbMinor.accidentals[letter::C], kSharp);
    EXPECT_TRUE(random.asked.empty());
}

TEST(DrillKeys, OtherScalesKeepTheSignatureAndDrawNone)
{
    ScriptedRandom random({});
    DrillKey key = settleDrillKey(10, kChromaticMode, 7, random);
    EXPECT_EQ(key.keySignature, 7);
    EXPECT_EQ(key.drillKey, 10);
    EXPECT_FALSE(key.signatureDrawn);
    EXPECT_EQ(key.accidentals, KeyAccidentals{});
    EXPECT_EQ(key.tonicLetter, letter::B);
    EXPECT_EQ(key.tonicAccidental, kFlat);
    EXPECT_FALSE(key.sharpSpelling);

    DrillKey fSharp = settleDrillKey(7, kChromaticMode, 1, random);
    EXPECT_EQ(fSharp.tonicLetter, letter::F);
    EXPECT_EQ(fSharp.tonicAccidental, kSharp);
    EXPECT_TRUE(fSharp.sharpSpelling);
}

TEST(DrillKeys, OutOfRangeKeySettingIsTreatedAsRandom)
{
    ScriptedRandom random({2});
    DrillKey key = settleDrillKey(40, kMajorMode, 1, random);
    EXPECT_EQ(key.keySignature, 3);
    EXPECT_EQ(key.drillKey, 3);
}
