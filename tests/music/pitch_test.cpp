#include "music/pitch.h"

#include <gtest/gtest.h>

TEST(Pitch, NoteIndexOfStepFollowsTheMajorScalePattern)
{
    EXPECT_EQ(noteIndexOfStep[0], 0);   // C2
    EXPECT_EQ(noteIndexOfStep[14], 24); // C4, middle C
    EXPECT_EQ(noteIndexOfStep[20], 35); // B4
    EXPECT_EQ(noteIndexOfStep[27], 47); // B5
}

TEST(Pitch, StepOfNoteIndexSpellsBlackKeysAsFlats)
{
    const int start[] = {0, 1, 1, 2, 2, 3, 4, 4, 5, 5, 6, 6, 7};
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(stepOfNoteIndex[i], start[i]) << i;
    EXPECT_EQ(stepOfNoteIndex[44], 26);
    EXPECT_EQ(stepOfNoteIndex[45], 26);
    EXPECT_EQ(stepOfNoteIndex[46], 27);
    EXPECT_EQ(stepOfNoteIndex[47], 27);
}

TEST(Pitch, TablesAreInverseOnNaturalNotes)
{
    for (int step = 0; step < kStepCount; ++step)
        EXPECT_EQ(stepOfNoteIndex[noteIndexOfStep[step]], step);
    for (int n = 0; n < kNoteIndexCount; ++n) {
        int natural = noteIndexOfStep[stepOfNoteIndex[n]];
        // A black key is the flat of the natural note above it.
        EXPECT_EQ(natural - n, isBlackKeySemitone(n) ? 1 : 0) << n;
    }
}

TEST(Pitch, MidiKeyHonoursTranspose)
{
    EXPECT_EQ(midiKeyOfNoteIndex(0, 24), 36);
    EXPECT_EQ(midiKeyOfNoteIndex(24, 24), 60);
    EXPECT_EQ(midiKeyOfNoteIndex(24, 27), 63);
    EXPECT_EQ(midiKeyOfNoteIndex(24, 0), 36);
}
