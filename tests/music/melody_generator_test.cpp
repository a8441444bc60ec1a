#include "music/keys.h"
#include "music/melody_title.h"
#include "music/pitch.h"
#include "music/scales.h"
#include "music/uniform_random_source.h"
#include "tests/music/generator_fixture.h"

#include <gtest/gtest.h>

namespace {

constexpr int kChromaticMode = 2;

MelodySettings settingsFor(int scale, int mode, int range, int level, int melosize)
{
    return {.melosize = melosize,
            .scale = scale,
            .keySignature = keySignatureFor(scale, scaleModeOf(mode), 1),
            .mode = scaleModeOf(mode),
            .scaleBits = scaleBitsOf(builtInScales()[mode].mask),
            .range = range,
            .level = level};
}

using MelodyGeneratorTest = GeneratorTest;

// C major, Mezzo-Soprano (centre G4), Beginner: the tonic is C5, and the
// melody draws among three candidates, C5, D5 and E5, and ends on the tonic.
TEST_F(MelodyGeneratorTest, BeginnerMelodyInCMajorForMezzoSopranoStaysOnC5D5E5)
{
    EXPECT_EQ(notesOf(generate(settingsFor(1, kMajorMode, 1, 0, 3), {0, 1, 2})),
              (std::vector<SpelledNote>{{21, plain, 36}, {22, plain, 38}, {21, plain, 36}}));
    EXPECT_EQ(bounds, (std::vector<int>{2, 3, 3}));
    // One note is the tonic; two notes skip the closing rule.
    EXPECT_EQ(generate(settingsFor(1, kMajorMode, 1, 0, 1), {0}).noteIndex[0], 36);
    EXPECT_EQ(generate(settingsFor(1, kMajorMode, 1, 0, 2), {0, 2}).noteIndex[1], 40);
}

TEST_F(MelodyGeneratorTest, MinorKeysTakeTheRelativeMajorsSignature)
{
    // Random key drawn as C major: A minor, for a Soprano A4.
    EXPECT_EQ(notesOf(generate(settingsFor(0, kMinorMode, 0, 0, 1), {0})),
              (std::vector<SpelledNote>{{19, plain, 33}}));
    // Fixed C minor: the third is E flat.
    EXPECT_EQ(notesOf(generate(settingsFor(1, kMinorMode, 1, 0, 2), {0, 2})),
              (std::vector<SpelledNote>{{21, plain, 36}, {23, flat, 39}}));
    // Bass (centre D3), random key drawn as A major, Advanced, downward draw:
    // the tonic is F#2 and the candidates below step 2 fold up an octave.
    auto bass = settingsFor(0, kMinorMode, 5, 2, 1);
    bass.keySignature = 4;
    const Melody m = generate(bass, {1});
    EXPECT_EQ(m.candidates, (std::array<int, 8>{3, 4, 5, 2, 8, 7, 6, 5}));
    EXPECT_EQ(notesOf(m), (std::vector<SpelledNote>{{3, sharp, 6}}));
}

// Chromatic in F#, Bb, F and Cb: the tonic carries the key's accidental and
// the black keys are sharps below F (key 9), flats from it.
TEST_F(MelodyGeneratorTest, ChromaticScaleSpellsByKey)
{
    struct Case {
        int key;
        SpelledNote tonic;
        Accidental blackKeyAccidental;
    };
    for (const Case& c : {Case{7, {17, sharp, 30}, sharp}, Case{10, {20, flat, 34}, flat},
                          Case{9, {17, plain, 29}, flat}, Case{15, {21, flat, 35}, flat}}) {
        auto settings = settingsFor(c.key, kChromaticMode, 1, 2, 12);
        settings.keySignature = 5; // kept from an earlier drill; not used
        UniformRandomSource random(c.key);
        for (int run = 0; run < 50; ++run) {
            const auto notes = notesOf(generator.generate(settings, random));
            EXPECT_EQ(notes[0], c.tonic) << "key " << c.key;
            for (const SpelledNote& note : notes) {
                if (isBlackKeySemitone(note.index)) {
                    EXPECT_EQ(note.accidental, c.blackKeyAccidental) << "key " << c.key;
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
    const Melody m = generate(settingsFor(15, 9, 1, 2, 3), {1, 7}); // Arpeggio - Major
    EXPECT_EQ(m.candidates[7], 35);
    EXPECT_EQ(notesOf(m),
              (std::vector<SpelledNote>{{21, flat, 35}, {23, flat, 39}, {21, flat, 35}}));
}

TEST_F(MelodyGeneratorTest, ScaleCandidatesComeFromTheScaleList)
{
    // Pentatonic (0 2 4 7 9) in C for a Tenor (centre A3): five notes, no draw.
    EXPECT_EQ(generate(settingsFor(1, 7, 3, 2, 1), {}).candidates,
              (std::array<int, 8>{24, 26, 28, 21, 19, 28, 31, 26}));
    // Chromatic: seven or more notes draw between the three above and below.
    auto settings = settingsFor(1, kChromaticMode, 3, 2, 1);
    EXPECT_EQ(generate(settings, {1}).candidates,
              (std::array<int, 8>{24, 25, 26, 23, 22, 21, 20, 19}));
    // A scale of one note is padded with zeros: every candidate is the tonic
    // or an octave of it.
    settings.scaleBits = scaleBitsOf(1);
    EXPECT_EQ(generate(settings, {}).candidates,
              (std::array<int, 8>{24, 24, 24, 12, 12, 24, 24, 24}));
}

TEST_F(MelodyGeneratorTest, RepeatedNotesFollowTheLevel)
{
    // Beginner keeps every second repeat and replaces the others.
    const Melody beginner = generate(settingsFor(1, kMajorMode, 1, 0, 6), {0, 0, 1, 1, 0, 0, 1});
    EXPECT_EQ(std::vector<int>(beginner.step.begin(), beginner.step.begin() + 6),
              (std::vector<int>{21, 21, 22, 21, 21, 23}));
    EXPECT_EQ(bounds, (std::vector<int>{2, 3, 3, 3, 3, 3, 2}));

    // Intermediate, the tonic drawn again: draw 1 gives candidate 1, draw 0 candidate 2.
    const auto intermediate = settingsFor(1, kMajorMode, 1, 1, 2);
    EXPECT_EQ(generate(intermediate, {0, 0, 1}).step[1], 22);
    EXPECT_EQ(generate(intermediate, {0, 0, 0}).step[1], 23);

    // Advanced, candidate 7 twice: draw 1 gives candidate 6, draw 0 candidate 5.
    const auto advanced = settingsFor(1, kMajorMode, 1, 2, 4);
    const Melody m = generate(advanced, {0, 7, 7, 1, 3});
    EXPECT_EQ(m.genNote[2], m.candidates[6]);
    EXPECT_EQ(m.genNote[3], m.candidates[0]) << "closing rule";
    EXPECT_EQ(generate(advanced, {0, 7, 7, 0, 3}).genNote[2], m.candidates[5]);
}

// (Titles without transposition are checked with the custom drills.)
TEST(MelodyTitle, NamesTheTransposition)
{
    EXPECT_EQ(melodyTitle(Melody{}, 0, 27), "Soprano - Algorithmic Melody - transpose +3");
    EXPECT_EQ(melodyTitle(Melody{}, 5, 0), "Bass - Algorithmic Melody - transpose -24");
}

// Over thousands of drills with random settings, draws and custom lines,
// good and bad: every note lies in the drill range, and its staff step and
// accidental name its note index.
TEST_F(MelodyGeneratorTest, EveryNoteIsSpelledAsItSounds)
{
    dir.write("mel.ssc", "Good,60,62,64\r\r\nLow and high,20,36,83,84\n,,,\r\nEmpty\r\n"
                         "Long,36,37,38,39,40,41,42,43,44,45,46,47,48,49,50,51\r\n");
    dir.write("mel2.ssc", "GUITAR one,40,45,50\r\nGUITAR two,52,55,-3\r\nPlain,83\r\n");
    UniformRandomSource random(4242);
    for (int run = 0; run < 20000; ++run) {
        const int scale = random.Random(16), mode = random.Random(16); // past 13: a user scale
        const MelodySettings s{
            .melosize = 1 + random.Random(12),
            .scale = scale,
            .keySignature = keySignatureFor(scale, scaleModeOf(mode), 1 + random.Random(15)),
            .mode = scaleModeOf(mode),
            .scaleBits = scaleBitsOf(mode < kBuiltInScaleCount ? builtInScales()[mode].mask
                                                               : random.Random(4096)),
            .range = random.Random(6),
            .level = random.Random(3),
            .drilltype = drillTypeOf(random.Random(4)),
            .answerMode = answerModeOf(random.Random(3)),
            .custMelody = random.Random(6)};

        const Melody m = generator.generate(s, random);
        const std::string where = "run " + std::to_string(run);
        ASSERT_TRUE(m.noteCount >= 1 && m.noteCount <= 13) << where;
        for (const auto& [step, accidental, index] : notesOf(m)) {
            ASSERT_TRUE(index >= 0 && index <= 47 && step >= 0 && step <= 27) << where;
            const int spelled = noteIndexOfStep[step] + semitoneShift(accidental);
            ASSERT_EQ(spelled, index) << where;
        }
    }
}

} // namespace
