#include "voice/pitch_detector.h"

#include "platform/testing/sound_samples.h"

#include <gtest/gtest.h>

#include <array>

namespace {

class PitchDetectorTest : public testing::Test {
protected:
    DetectionResult analyse(const std::vector<std::uint8_t>& block,
                            std::optional<int> skipTo = std::nullopt)
    {
        return detector.analyseBlock(block, settings, table, skipTo);
    }
    DetectionResult tone(double frequency, double amplitude = 100)
    {
        return analyse(sineBlock(frequency, detector.fftSize(), amplitude));
    }
    BlockOutcome silence() { return analyse(silenceBlock(detector.fftSize())).outcome; }

    PitchDetector detector;
    DetectorSettings settings;
    PeriodTable table = buildPeriodTable(440);
};

TEST_F(PitchDetectorTest, A440IsNoteThirtyThreeWithBothBlockLengths)
{
    ASSERT_EQ(detector.fftSize(), 2048);
    EXPECT_EQ(analyse(sineBlock(440, 1024)).sungNote, 33); // padded with silence
    ASSERT_EQ(detector.fftStages(), 10);
    DetectionResult shortBlock = tone(440);
    EXPECT_EQ(shortBlock.sungNote, 33);
    EXPECT_EQ(shortBlock.peakBin, 41);
    EXPECT_EQ(detector.pitchEstimate(), 33);
}

TEST_F(PitchDetectorTest, NamesEveryNoteOfTheSingingRangeFromAPureTone)
{
    // At the bottom, where bins are coarsest, a period may land a semitone off.
    int exact = 0;
    for (int note = 0; note <= 48; ++note) {
        DetectionResult result = tone(noteFrequency(note));
        ASSERT_EQ(result.outcome, BlockOutcome::Note);
        EXPECT_LE(std::abs(result.sungNote - note), 1) << "note " << note;
        exact += result.sungNote == note;
    }
    EXPECT_GE(exact, 40);
}

TEST_F(PitchDetectorTest, SilenceIsJudgedOnTheRawSamplesWith255CountingAsZero)
{
    settings.micFilter = 126;
    for (int i = 0; i < 3; ++i)
        EXPECT_NE(tone(440, 127).outcome, BlockOutcome::Note);

    // A quiet tone stays silent however high the gain; a loud one is heard
    // even with the gain at zero, as the lowest note.
    settings.micFilter = 20;
    settings.micVol = 128;
    EXPECT_NE(tone(440, 15).outcome, BlockOutcome::Note);
    settings.micVol = 0;
    DetectionResult muted = tone(440, 60);
    EXPECT_EQ(muted.outcome, BlockOutcome::Note);
    EXPECT_EQ(muted.sungNote, 0);

    settings = {};
    settings.micFilter = 0;
    std::vector<std::uint8_t> block = silenceBlock(2048);
    block[100] = 255;
    EXPECT_EQ(analyse(block).outcome, BlockOutcome::Silent);
    EXPECT_EQ(detector.blockPeak(), 0.0);
    block[200] = 254;
    EXPECT_EQ(analyse(block).outcome, BlockOutcome::Note);
}

TEST_F(PitchDetectorTest, FifthSilentBlockInARowErasesTheMarker)
{
    tone(440);
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(silence(), BlockOutcome::Silent) << "block " << i;
        EXPECT_EQ(silence(), BlockOutcome::SilentEraseMarker);
    }
    silence();
    tone(440); // a heard note starts the count again
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(silence(), BlockOutcome::Silent);
    // Silence keeps the last estimate and so the block length.
    EXPECT_EQ(detector.pitchEstimate(), 33);
    EXPECT_EQ(detector.fftSize(), 1024);
}

TEST_F(PitchDetectorTest, SkipRequestTurnsTheNextBlockIntoTheDueNoteEvenInSilence)
{
    settings.micMuted = true; // a muted microphone hears nothing, skip or not
    EXPECT_EQ(analyse(sineBlock(440, 2048), 21).outcome, BlockOutcome::Silent);
    settings.micMuted = false;

    DetectionResult skipped = analyse(silenceBlock(2048), 21);
    EXPECT_EQ(skipped.outcome, BlockOutcome::Note);
    EXPECT_TRUE(skipped.skipped);
    EXPECT_EQ(skipped.sungNote, 21);
    EXPECT_EQ(detector.pitchEstimate(), 21);
    EXPECT_EQ(silence(), BlockOutcome::Silent); // without the request, silence again
}

TEST_F(PitchDetectorTest, NoteBelowEighteenAsksForTheLongBlock)
{
    // 440 Hz read with a transposition: 33 - (transpose - 24).
    for (auto [transpose, note, length] : {std::array{39, 18, 1024}, {40, 17, 2048}}) {
        settings.transpose = transpose;
        EXPECT_EQ(tone(440).sungNote, note);
        EXPECT_EQ(detector.fftSize(), length);
        EXPECT_EQ(1 << detector.fftStages(), length);
    }
}

TEST_F(PitchDetectorTest, ResultsAreClampedToTheTable)
{
    // Bin 195 of the long block (about 1050 Hz) has a period below C6's: read
    // as 48 without the transposition, while C6 itself is transposed to 42.
    settings.transpose = 30;
    DetectionResult top = tone(195 * 11025.0 / 2048);
    EXPECT_EQ(top.peakBin, 195);
    EXPECT_EQ(top.sungNote, 48);
    tone(70); // back to the long block
    EXPECT_EQ(tone(noteFrequency(48)).sungNote, 42);

    settings.transpose = 0;
    EXPECT_EQ(tone(440).sungNote, 48);
    settings.transpose = 48;
    EXPECT_EQ(tone(70).sungNote, 0);
}

TEST(PeriodLookup, APeriodExactlyBetweenTwoNotesGoesToTheHigherOne)
{
    // Periods two samples apart, so each middle is exact in floating point.
    PeriodTable table{};
    for (std::size_t e = 0; e < table.size(); ++e)
        table[e] = 200.0 - 2.0 * double(e);
    EXPECT_EQ(PitchDetector::noteOfPeriod(199.0, table, 24), 1);
    EXPECT_EQ(PitchDetector::noteOfPeriod(199.5, table, 24), 0);
    EXPECT_EQ(PitchDetector::noteOfPeriod(198.5, table, 24), 1);
}

} // namespace
