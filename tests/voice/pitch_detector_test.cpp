#include "voice/pitch_detector.h"

#include "tests/voice/tone.h"

#include <gtest/gtest.h>

namespace {

class PitchDetectorTest : public testing::Test {
protected:
    DetectionResult analyse(const std::vector<std::uint8_t>& block, int dueNote = 0)
    {
        return detector.analyseBlock(block, settings, table, dueNote);
    }
    DetectionResult analyseTone(double frequency, double amplitude = 100)
    {
        return analyse(sineBlock(frequency, detector.fftSize(), amplitude));
    }
    DetectionResult analyseSilence() { return analyse(silenceBlock(detector.fftSize())); }

    PitchDetector detector;
    DetectorSettings settings;
    PeriodTable table = buildPeriodTable(440);
};

TEST_F(PitchDetectorTest, A440IsNoteThirtyThreeWithBothBlockLengths)
{
    ASSERT_EQ(detector.fftSize(), 2048);
    DetectionResult longBlock = analyseTone(440);
    EXPECT_EQ(longBlock.outcome, BlockOutcome::note);
    EXPECT_EQ(longBlock.sungNote, 33);
    EXPECT_EQ(longBlock.peakBin, 82);

    ASSERT_EQ(detector.fftSize(), 1024);
    ASSERT_EQ(detector.fftStages(), 10);
    DetectionResult shortBlock = analyseTone(440);
    EXPECT_EQ(shortBlock.sungNote, 33);
    EXPECT_EQ(shortBlock.peakBin, 41);
    EXPECT_EQ(detector.pitchEstimate(), 33);
}

TEST_F(PitchDetectorTest, NamesEveryNoteOfTheSingingRangeFromAPureTone)
{
    // Pure tones from C2 to C6: the nearest bin's period may land a semitone
    // off at the very bottom of the range, where bins are coarsest.
    int exact = 0;
    for (int note = 0; note <= 48; ++note) {
        DetectionResult result = analyseTone(noteFrequency(note));
        ASSERT_EQ(result.outcome, BlockOutcome::note);
        EXPECT_LE(std::abs(result.sungNote - note), 1) << "note " << note;
        exact += result.sungNote == note;
    }
    EXPECT_GE(exact, 40);
}

TEST_F(PitchDetectorTest, ThresholdIsComparedWithTheRawSampleBeforeTheGain)
{
    settings.micFilter = 126;
    for (int i = 0; i < 3; ++i)
        EXPECT_NE(analyseTone(440, 127).outcome, BlockOutcome::note);

    // A quiet tone stays silent however high the gain...
    settings.micFilter = 20;
    settings.micVol = 128;
    EXPECT_NE(analyseTone(440, 15).outcome, BlockOutcome::note);
    // ...and a loud one is heard even with the gain at zero, as the lowest note.
    settings.micVol = 0;
    DetectionResult muted = analyseTone(440, 60);
    EXPECT_EQ(muted.outcome, BlockOutcome::note);
    EXPECT_EQ(muted.peakBin, 0);
    EXPECT_EQ(muted.sungNote, 0);
}

TEST_F(PitchDetectorTest, SampleOf255CountsAsZero)
{
    settings.micFilter = 0;
    std::vector<std::uint8_t> block = silenceBlock(2048);
    block[100] = 255;
    EXPECT_EQ(analyse(block).outcome, BlockOutcome::silent);
    EXPECT_EQ(detector.blockPeak(), 0.0);

    block[200] = 254;
    EXPECT_EQ(analyse(block).outcome, BlockOutcome::note);
}

TEST_F(PitchDetectorTest, FifthSilentBlockInARowErasesTheMarker)
{
    analyseTone(440);
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(analyseSilence().outcome, BlockOutcome::silent) << "block " << i;
        EXPECT_EQ(analyseSilence().outcome, BlockOutcome::silentEraseMarker);
    }
    // A heard note starts the count again.
    analyseSilence();
    analyseSilence();
    analyseTone(440);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(analyseSilence().outcome, BlockOutcome::silent);
    // Silence keeps the last estimate and so the block length.
    EXPECT_EQ(detector.pitchEstimate(), 33);
    EXPECT_EQ(detector.fftSize(), 1024);
}

TEST_F(PitchDetectorTest, MutedMicrophoneIsSilentWhateverIsHeard)
{
    settings.micMuted = true;
    detector.requestSkip();
    EXPECT_EQ(analyseTone(440).outcome, BlockOutcome::silent);
    EXPECT_TRUE(detector.skipRequested());
}

TEST_F(PitchDetectorTest, SkipRequestTurnsTheNextBlockIntoTheDueNoteEvenInSilence)
{
    detector.requestSkip();
    DetectionResult skipped = analyse(silenceBlock(2048), 21);
    EXPECT_EQ(skipped.outcome, BlockOutcome::note);
    EXPECT_TRUE(skipped.skipped);
    EXPECT_EQ(skipped.sungNote, 21);
    EXPECT_FALSE(detector.skipRequested());
    EXPECT_EQ(detector.pitchEstimate(), 21);
    // The request is used up.
    EXPECT_EQ(analyseSilence().outcome, BlockOutcome::silent);
}

TEST_F(PitchDetectorTest, NoteBelowEighteenAsksForTheLongBlock)
{
    // 440 Hz read with a transposition: 33 - (transpose - 24).
    settings.transpose = 39;
    EXPECT_EQ(analyseTone(440).sungNote, 18);
    EXPECT_EQ(detector.fftSize(), 1024);
    EXPECT_EQ(detector.fftStages(), 10);
    settings.transpose = 40;
    EXPECT_EQ(analyseTone(440).sungNote, 17);
    EXPECT_EQ(detector.fftSize(), 2048);
    EXPECT_EQ(detector.fftStages(), 11);
}

TEST_F(PitchDetectorTest, ResultsAreClampedToTheTable)
{
    settings.transpose = 0;
    EXPECT_EQ(analyseTone(440).sungNote, 48);
    settings.transpose = 48;
    EXPECT_EQ(analyseTone(70).sungNote, 0);
}

TEST_F(PitchDetectorTest, NoteAboveTheTableReadsAsTheTopNoteWithoutTransposition)
{
    // Bin 195 of the long block (about 1050 Hz) has a period below C6's.
    ASSERT_EQ(detector.fftSize(), 2048);
    settings.transpose = 30;
    DetectionResult top = analyseTone(195 * 11025.0 / 2048);
    EXPECT_EQ(top.peakBin, 195);
    EXPECT_EQ(top.sungNote, 48);
    // Just inside the table the transposition applies: C6 read as 42.
    settings.transpose = 30;
    analyseTone(70); // back to the long block
    ASSERT_EQ(detector.fftSize(), 2048);
    EXPECT_EQ(analyseTone(noteFrequency(48)).sungNote, 42);
}

TEST_F(PitchDetectorTest, ShortBlockIsPaddedWithSilence)
{
    std::vector<std::uint8_t> half = sineBlock(440, 1024);
    ASSERT_EQ(detector.fftSize(), 2048);
    EXPECT_EQ(analyse(half).sungNote, 33);
}

} // namespace
