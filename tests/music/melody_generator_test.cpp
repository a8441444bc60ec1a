#include "music/melody_generator.h"

#include "music/keys.h"
#include "music/melody_candidates.h"
#include "music/melody_title.h"
#include "music/pitch.h"
#include "music/scales.h"
#include "music/scripted_random_source.h"
#include "music/uniform_random_source.h"

#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const ScaleBits chromatic = scaleBitsOf(4095);

MelodySettings settingsFor(int scale, int mode, int range, int level, int melosize)
{
    MelodySettings settings;
    settings.scale = scale;
    settings.mode = mode;
    settings.range = range;
    settings.level = level;
    settings.melosize = melosize;
    settings.keySignature = !isFixedKey(scale)   ? 1
                            : mode == kMinorMode ? minorKeySignature(scale)
                                                 : scale;
    settings.scaleBits = scaleBitsOf(builtInScales()[std::min(mode, 13)].mask);
    return settings;
}

std::vector<int> steps(const Melody& m)
{
    return {m.step.begin(), m.step.begin() + m.noteCount};
}
std::vector<int> indices(const Melody& m)
{
    return {m.noteIndex.begin(), m.noteIndex.begin() + m.noteCount};
}
std::vector<int> accidentals(const Melody& m)
{
    return {m.accidental.begin(), m.accidental.begin() + m.noteCount};
}

class MelodyGeneratorTest : public ::testing::Test {
protected:
    TempDir dir;
    MelodyGenerator generator{dir.path()};
};

// C major, Mezzo-Soprano (centre G4), Beginner: the tonic is C5, and the
// melody uses only C5, D5 and E5.
TEST_F(MelodyGeneratorTest, BeginnerMelodyInCMajorForMezzoSopranoStaysOnC5D5E5)
{
    const auto settings = settingsFor(1, kMajorMode, 1, 0, 3);
    ScriptedRandomSource draws{0, 1, 2};
    const Melody melody = generator.generate(settings, draws);
    EXPECT_EQ(steps(melody), (std::vector<int>{21, 22, 21})) << "ends on the tonic";
    EXPECT_EQ(indices(melody), (std::vector<int>{36, 38, 36}));
    EXPECT_EQ(accidentals(melody), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(draws.bounds(), (std::vector<int>{2, 3, 3}));

    UniformRandomSource random(99);
    for (int run = 0; run < 200; ++run) {
        const Melody m = generator.generate(settingsFor(1, kMajorMode, 1, 0, 12), random);
        EXPECT_EQ(m.step[0], 21);
        for (int i = 0; i < m.noteCount; ++i)
            EXPECT_TRUE(m.noteIndex[i] == 36 || m.noteIndex[i] == 38 || m.noteIndex[i] == 40);
    }
}

TEST_F(MelodyGeneratorTest, OneNoteIsTheTonicAndTwoNotesSkipTheClosingRule)
{
    ScriptedRandomSource one{0};
    EXPECT_EQ(steps(generator.generate(settingsFor(1, kMajorMode, 1, 0, 1), one)),
              std::vector<int>{21});
    ScriptedRandomSource two{0, 2};
    EXPECT_EQ(steps(generator.generate(settingsFor(1, kMajorMode, 1, 0, 2), two)),
              (std::vector<int>{21, 23}));
}

// Bass (centre D3), MINOR, random key drawn as A major, Advanced, downward
// draw: the tonic is F sharp at step 3, and the candidates below step 2 are
// folded up an octave.
TEST_F(MelodyGeneratorTest, BassMinorFoldsTheDownwardCandidatesIntoRange)
{
    auto settings = settingsFor(0, kMinorMode, 5, 2, 1);
    settings.keySignature = 4;
    ScriptedRandomSource draws{1};
    const Melody melody = generator.generate(settings, draws);
    EXPECT_EQ(melody.candidates, (std::array<int, 8>{3, 4, 5, 2, 8, 7, 6, 5}));
    EXPECT_EQ(melody.step[0], 3);
    EXPECT_EQ(melody.accidental[0], kSharp);
    EXPECT_EQ(melody.noteIndex[0], 6); // F#2
}

TEST_F(MelodyGeneratorTest, MinorInARandomKeyIsTheRelativeMinor)
{
    auto settings = settingsFor(0, kMinorMode, 0, 0, 1); // Soprano, drawn C major
    ScriptedRandomSource draws{0};
    const Melody melody = generator.generate(settings, draws);
    EXPECT_EQ(melody.step[0], 19); // A4
    EXPECT_EQ(melody.accidental[0], kNoAccidental);
    EXPECT_EQ(melody.noteIndex[0], 33);
}

TEST_F(MelodyGeneratorTest, FixedCMinorHasAnEFlatThird)
{
    const auto settings = settingsFor(1, kMinorMode, 1, 0, 2);
    ScriptedRandomSource draws{0, 2};
    const Melody melody = generator.generate(settings, draws);
    EXPECT_EQ(steps(melody), (std::vector<int>{21, 23}));
    EXPECT_EQ(accidentals(melody), (std::vector<int>{0, kFlat}));
    EXPECT_EQ(indices(melody), (std::vector<int>{36, 39}));
}

// Chromatic in F#, Bb and Cb: the tonic carries the key's accidental and the
// black keys are sharps below F (key 9), flats from it.
TEST_F(MelodyGeneratorTest, ChromaticScaleSpellsTheTonicAndBlackKeysByKey)
{
    struct Case {
        int key, tonicStep, tonicAccidental, tonicIndex, blackKeyAccidental;
    };
    for (const Case& c : {Case{7, 17, kSharp, 30, kSharp}, Case{10, 20, kFlat, 34, kFlat},
                          Case{15, 21, kFlat, 35, kFlat}}) {
        auto settings = settingsFor(c.key, 2, 1, 2, 12);
        settings.keySignature = 5; // kept from an earlier drill; not used
        UniformRandomSource random(c.key);
        for (int run = 0; run < 50; ++run) {
            const Melody m = generator.generate(settings, random);
            EXPECT_EQ(m.step[0], c.tonicStep) << "key " << c.key;
            EXPECT_EQ(m.accidental[0], c.tonicAccidental) << "key " << c.key;
            EXPECT_EQ(m.noteIndex[0], c.tonicIndex) << "key " << c.key;
            for (int i = 1; i < m.noteCount; ++i) {
                if (isBlackKeySemitone(m.noteIndex[i])) {
                    EXPECT_EQ(m.accidental[i], c.blackKeyAccidental) << "key " << c.key;
                }
            }
        }
    }
}

// In Cb every B is written one step higher as C flat, also when the note
// comes from a candidate other than the tonic (the Arpeggio's last candidate
// is the tonic again, spelled as the white key B).
TEST_F(MelodyGeneratorTest, CbWritesEveryBAsCFlat)
{
    const auto settings = settingsFor(15, 9, 1, 2, 3); // Arpeggio - Major, Advanced
    ScriptedRandomSource draws{1, 7};
    const Melody m = generator.generate(settings, draws);
    EXPECT_EQ(m.candidates[7], 35);
    EXPECT_EQ(indices(m), (std::vector<int>{35, 39, 35}));
    EXPECT_EQ(steps(m), (std::vector<int>{21, 23, 21}));
    EXPECT_EQ(accidentals(m), (std::vector<int>{kFlat, kFlat, kFlat}));
}

TEST_F(MelodyGeneratorTest, ScaleCandidatesComeFromTheScaleList)
{
    // Pentatonic (0 2 4 7 9) in C for a Tenor (centre A3): five notes, no draw.
    auto settings = settingsFor(1, 7, 3, 2, 1);
    ScriptedRandomSource none{};
    const Melody m = generator.generate(settings, none);
    EXPECT_EQ(m.noteIndex[0], 24);
    EXPECT_EQ(m.candidates, (std::array<int, 8>{24, 26, 28, 21, 19, 28, 31, 26}));
    EXPECT_TRUE(none.bounds().empty());

    // Chromatic: seven or more notes draw between the three above and below.
    settings = settingsFor(1, 2, 3, 2, 1);
    ScriptedRandomSource below{1};
    EXPECT_EQ(generator.generate(settings, below).candidates,
              (std::array<int, 8>{24, 25, 26, 23, 22, 21, 20, 19}));
    // A scale of one note is padded with zeros: every candidate is the tonic
    // or an octave of it.
    settings.scaleBits = scaleBitsOf(1);
    ScriptedRandomSource padded{};
    EXPECT_EQ(generator.generate(settings, padded).candidates,
              (std::array<int, 8>{24, 24, 24, 12, 12, 24, 24, 24}));
}

TEST_F(MelodyGeneratorTest, BeginnerKeepsEverySecondRepeat)
{
    const auto settings = settingsFor(1, kMajorMode, 1, 0, 6);
    ScriptedRandomSource draws{0, 0, 1, 1, 0, 0, 1};
    const Melody m = generator.generate(settings, draws);
    EXPECT_EQ(steps(m), (std::vector<int>{21, 21, 22, 21, 21, 23}));
    EXPECT_EQ(draws.bounds(), (std::vector<int>{2, 3, 3, 3, 3, 3, 2}));
    EXPECT_TRUE(draws.exhausted());
}

TEST_F(MelodyGeneratorTest, IntermediateAndAdvancedReplaceRepeatsByTheTable)
{
    // Intermediate, the tonic drawn again: draw 1 gives candidate 1, draw 0 candidate 2.
    const auto intermediate = settingsFor(1, kMajorMode, 1, 1, 2);
    ScriptedRandomSource first{0, 0, 1};
    EXPECT_EQ(generator.generate(intermediate, first).step[1], 22);
    ScriptedRandomSource second{0, 0, 0};
    EXPECT_EQ(generator.generate(intermediate, second).step[1], 23);

    // Advanced, candidate 7 twice: draw 1 gives candidate 6, draw 0 candidate 5.
    const auto advanced = settingsFor(1, kMajorMode, 1, 2, 4);
    ScriptedRandomSource seventh{0, 7, 7, 1, 3};
    const Melody m = generator.generate(advanced, seventh);
    EXPECT_EQ(m.genNote[2], m.candidates[6]);
    EXPECT_EQ(m.genNote[3], m.candidates[0]) << "closing rule";
    ScriptedRandomSource sixth{0, 7, 7, 0, 3};
    EXPECT_EQ(generator.generate(advanced, sixth).genNote[2], m.candidates[5]);
}

TEST_F(MelodyGeneratorTest, TitleNamesRangeAndMelody)
{
    Melody melody;
    EXPECT_EQ(melodyTitle(melody, 5, 24), "Bass - Algorithmic Melody");
    EXPECT_EQ(melodyTitle(melody, 0, 27), "Soprano - Algorithmic Melody - transpose +3");
    EXPECT_EQ(melodyTitle(melody, 2, 0), "Contralto - Algorithmic Melody - transpose -24");
    melody.isCustom = true;
    melody.melodyName = "Happy";
    EXPECT_EQ(melodyTitle(melody, 1, 30), "Mezzo-Soprano - Custom Melody - Happy");
}

} // namespace
