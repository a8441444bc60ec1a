#include "music/note_names.h"
#include "music/scales.h"
#include "music/vocabulary.h"
#include "music/voice_ranges.h"

#include <gtest/gtest.h>

TEST(NoteNames, NotationZeroSelectsLettersAnyOtherSolfege)
{
    EXPECT_EQ(&noteNamesFor(0), &letterNoteNames());
    EXPECT_EQ(&noteNamesFor(1), &solfegeNoteNames());
    EXPECT_EQ(&noteNamesFor(-7), &solfegeNoteNames());
}

TEST(NoteNames, ChromaticNamesPadNaturalsExceptSol)
{
    const auto& letters = letterNoteNames().chromaticNames;
    const auto& solfege = solfegeNoteNames().chromaticNames;
    EXPECT_EQ(letters[0], "C ");
    EXPECT_EQ(letters[1], "C#");
    EXPECT_EQ(solfege[7], "Sol");
    EXPECT_EQ(solfege[8], "Sol#");
    EXPECT_EQ(solfege[11], "Si ");
    EXPECT_EQ(letterNoteNames().keyNames[10], "Bb");
    EXPECT_EQ(solfegeNoteNames().keyNames[14], "Solb");
    EXPECT_EQ(solfegeNoteNames().keyNames[0], "Random");
    EXPECT_EQ(solfegeNoteNames().flatNames[4], "Solb");
    EXPECT_EQ(letterNoteNames().sharpNames[6], "B#");
}

TEST(VoiceRanges, GuitarVariantOnlyForGuitarAnswerMode)
{
    EXPECT_EQ(rangeCentreStepsFor(1), (RangeCentreSteps{17, 17, 16, 12, 10, 9}));
    for (int noteName : {0, 2, 7})
        EXPECT_EQ(rangeCentreStepsFor(noteName), (RangeCentreSteps{20, 18, 16, 12, 10, 8}));
    EXPECT_EQ(rangeNames[1], "Mezzo-Soprano");
}

TEST(Vocabulary, TransposeAndLengthLabels)
{
    const auto& names = transposeNames();
    EXPECT_EQ(names[0], "-24");
    EXPECT_EQ(names[23], "-1");
    EXPECT_EQ(names[24], "0");
    EXPECT_EQ(names[25], "+1");
    EXPECT_EQ(names[48], "+24");
    EXPECT_EQ(melodyLengthNames().front(), "1");
    EXPECT_EQ(melodyLengthNames().back(), "12");
    EXPECT_EQ(levelNames[2], "Advanced");
    EXPECT_EQ(notationNames[1], "Do,Re,Mi");
}

TEST(Scales, BuiltInMasksMatchTheirSemitones)
{
    const auto& scales = builtInScales();
    ASSERT_EQ(scales.size(), 14u);
    EXPECT_EQ(scales[0], (ScaleRecord{2741, "MAJOR"}));
    EXPECT_EQ(scales[13], (ScaleRecord{195, "Tense"}));
    EXPECT_EQ(scaleBitsOf(2741), (ScaleBits{1, 0, 1, 0, 1, 1, 0, 1, 0, 1, 0, 1}));
    // Bits above 11 are not semitones.
    EXPECT_EQ(scaleBitsOf(0xFFFFF000u), ScaleBits{});
}
