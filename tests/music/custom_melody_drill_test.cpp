#include "music/melody_title.h"
#include "music/pitch.h"
#include "tests/music/generator_fixture.h"

#include <gtest/gtest.h>

namespace {

// Custom drills in C major; every Generate first makes the MAJOR candidates'
// Random(2) draw, then draws the melody line.
using CustomMelodyDrillTest = GeneratorTest;

MelodySettings custom(int drilltype, int custMelody = 0, AnswerMode answerMode = AnswerMode::Piano)
{
    return {.melosize = 7,
            .drilltype = drillTypeOf(drilltype),
            .answerMode = answerMode,
            .custMelody = custMelody};
}

TEST_F(CustomMelodyDrillTest, FourNumbersGiveAFourNoteDrill)
{
    // The C after C# carries a natural sign: a custom melody has no key signature.
    dir.write("mel.ssc", "Tune,61,60,66,83\r\r\n");
    const Melody m = generate(custom(3), {0, 0});
    ASSERT_TRUE(m.isCustom);
    EXPECT_EQ(notesOf(m),
              (std::vector<SpelledNote>{
                  {14, sharp, 25}, {14, natural, 24}, {17, sharp, 30}, {27, plain, 47}}));
    EXPECT_EQ(melodyTitle(m, 0, 24), "Soprano - Custom Melody - Tune");
}

TEST_F(CustomMelodyDrillTest, RandomDrillsNeverRepeatTheLastLine)
{
    dir.write("mel.ssc", "A,60\r\nB,62\r\nC,64\r\n");
    EXPECT_EQ(generate(custom(2), {0, 0, 2}).melodyName, "C") << "line 0 was the last";
    EXPECT_EQ(generate(custom(2), {0, 2, 2, 1}).melodyName, "B");
    EXPECT_EQ(generator.lastMelodyLine(), 1);
    EXPECT_EQ(generate(custom(3, 1), {0, 2}).melodyName, "B");
    EXPECT_EQ(generator.lastMelodyLine(), 2);

    dir.write("mel.ssc", "Only,60,64\n"); // one line: drawn every time
    for (int run = 0; run < 3; ++run)
        EXPECT_EQ(generate(custom(2), {0, 0}).melodyName, "Only");
}

TEST_F(CustomMelodyDrillTest, GuitarModeDrawsAmongGuitarLinesWhenThereAreSeveral)
{
    dir.write("mel.ssc", "Voice,60\r\n");
    std::string lines = "Open,40\r\nGUITAR a,41\r\nOther,42\r\n";
    for (int k = 3; k < 120; ++k) // far more guitar lines than ever expected
        lines += "GUITAR " + std::to_string(k) + ",43\r\n";
    dir.write("mel2.ssc", lines);
    const auto guitar = custom(2, 0, AnswerMode::Guitar);
    EXPECT_EQ(generate(guitar, {0, 0}).melodyName, "GUITAR a");
    EXPECT_EQ(generate(guitar, {0, 0, 117}).melodyName, "GUITAR 119");

    // A single guitar line: the draw is among all lines.
    dir.write("mel2.ssc", "Open,40\r\nGUITAR a,41\r\nOther,42\r\n");
    EXPECT_EQ(generate(guitar, {0, 2}).melodyName, "Other");
    EXPECT_EQ(bounds, (std::vector<int>{2, 3}));
}

// A custom drill that finds no usable melody drills an algorithmic one of
// `melosize` notes (two more draws for the notes of a 3-note melody).
TEST_F(CustomMelodyDrillTest, FallsBackToAnAlgorithmicMelodyWithoutAUsableLine)
{
    auto settings = custom(3, 0);
    settings.melosize = 3;
    const auto expectAlgorithmic = [&](std::vector<int> draws, const char* why) {
        const Melody m = generate(settings, std::move(draws));
        EXPECT_EQ(m.noteCount, 3) << why;
        EXPECT_EQ(melodyTitle(m, 0, 24), "Soprano - Algorithmic Melody") << why;
    };
    expectAlgorithmic({0, 1, 1}, "no file");
    dir.write("mel.ssc", "");
    expectAlgorithmic({0, 1, 1}, "empty file");
    dir.write("mel.ssc", "A,60\r\nNothing drillable,12,200,-60\r\nNo notes\r\n");
    settings.custMelody = 5;
    expectAlgorithmic({0, 1, 1, 1}, "no line 5");
    settings.custMelody = 1;
    expectAlgorithmic({0, 2, 1, 1}, "no note in 36..83");
    settings.custMelody = 2;
    expectAlgorithmic({0, 1, 1, 1}, "no numbers at all");
    settings.drilltype = drillTypeOf(0);
    expectAlgorithmic({0, 1, 1}, "drilltype 0");
}

TEST_F(CustomMelodyDrillTest, LeavesOutNotesOutsideTheDrillRange)
{
    const std::string longName(300, 'n');
    dir.write("mel.ssc", longName + ",35,36,84,40,41,42,43,44,45,46,47,48,49,50,51,52,83\r\n");
    const Melody m = generate(custom(3), {0, 0});
    ASSERT_TRUE(m.isCustom);
    EXPECT_EQ(m.melodyName, longName);
    ASSERT_EQ(m.noteCount, 13);
    EXPECT_EQ(m.noteIndex[0], 0);
    EXPECT_EQ(m.noteIndex[12], 15);
}

} // namespace
