// Pitch numbering and the computed vocabularies.
#include "music/pitch.h"
#include "music/scales.h"
#include "music/vocabulary.h"

#include <gtest/gtest.h>

// The two tables are built independently; each must undo the other, and a
// black key is spelled as the flat of the natural note above it.
TEST(Pitch, StepTablesAgreeWithNoteIndices)
{
    EXPECT_EQ(noteIndexOfStep[14], 24); // middle C
    EXPECT_EQ(noteIndexOfStep[27], 47); // B5
    for (int step = 0; step < kStepCount; ++step)
        EXPECT_EQ(stepOfNoteIndex[noteIndexOfStep[step]], step) << step;
    for (int n = 0; n < kNoteIndexCount; ++n)
        EXPECT_EQ(noteIndexOfStep[stepOfNoteIndex[n]] - n, isBlackKeySemitone(n) ? 1 : 0) << n;
    EXPECT_EQ(midiKeyOfNoteIndex(24, 24), 60);
    EXPECT_EQ(midiKeyOfNoteIndex(24, 27), 63);
}

TEST(Vocabulary, LabelsAreComputedFromTheScaleBits)
{
    EXPECT_EQ(transposeNames()[0], "-24");
    EXPECT_EQ(transposeNames()[24], "0");
    EXPECT_EQ(transposeNames()[25], "+1");
    EXPECT_EQ(melodyLengthNames().front(), "1");
    EXPECT_EQ(melodyLengthNames().back(), "12");
    EXPECT_EQ(scaleBitsOf(2741), (ScaleBits{1, 0, 1, 0, 1, 1, 0, 1, 0, 1, 0, 1}));
    EXPECT_EQ(scaleBitsOf(0xFFFFF000u), ScaleBits{}) << "bits above 11 are not semitones";
}
