#include "voice/block_verdict.h"
#include "voice/sung_note_judge.h"

#include "tests/voice/tone.h"

#include <gtest/gtest.h>

namespace {

TEST(SungNoteJudge, AcceptsOnTheBlockAfterCyclesMatches)
{
    for (int cycles = 1; cycles <= 9; ++cycles) {
        SungNoteJudge judge;
        for (int i = 0; i < cycles; ++i)
            EXPECT_FALSE(judge.judge(24, 24, cycles));
        EXPECT_TRUE(judge.judge(24, 24, cycles));
        EXPECT_EQ(judge.holdCount(), 0);
    }
}

TEST(SungNoteJudge, WrongNoteRestartsTheCount)
{
    SungNoteJudge judge;
    EXPECT_FALSE(judge.judge(24, 24, 2));
    EXPECT_FALSE(judge.judge(24, 24, 2));
    EXPECT_FALSE(judge.judge(25, 24, 2));
    EXPECT_EQ(judge.holdCount(), 0);
    EXPECT_FALSE(judge.judge(24, 24, 2));
    EXPECT_FALSE(judge.judge(24, 24, 2));
    EXPECT_TRUE(judge.judge(24, 24, 2));
}

class BlockVerdictTest : public testing::Test {
protected:
    BlockVerdict feed(const std::vector<std::uint8_t>& block)
    {
        return analyseAndJudge(detector, judge, block, settings, table, dueNote, cycles);
    }
    BlockVerdict tone() { return feed(sineBlock(440, detector.fftSize())); }
    BlockVerdict silence() { return feed(silenceBlock(detector.fftSize())); }

    PitchDetector detector;
    SungNoteJudge judge;
    DetectorSettings settings;
    PeriodTable table = buildPeriodTable(440);
    int dueNote = 33;
    int cycles = 1;
};

TEST_F(BlockVerdictTest, SilentBlocksBetweenMatchesDoNotBreakTheRun)
{
    EXPECT_FALSE(tone().accepted);
    for (int i = 0; i < 6; ++i)
        EXPECT_FALSE(silence().accepted);
    EXPECT_EQ(judge.holdCount(), 1);
    EXPECT_TRUE(tone().accepted);
}

TEST_F(BlockVerdictTest, WrongNoteBetweenMatchesRestartsTheRun)
{
    EXPECT_FALSE(tone().accepted);
    EXPECT_FALSE(feed(sineBlock(220, detector.fftSize())).accepted);
    EXPECT_FALSE(tone().accepted);
    EXPECT_TRUE(tone().accepted);
}

TEST_F(BlockVerdictTest, SpaceBarAcceptsTheDueNoteOnTheNextBlockEvenInSilence)
{
    cycles = 9;
    dueNote = 12;
    detector.requestSkip();
    BlockVerdict verdict = silence();
    EXPECT_TRUE(verdict.accepted);
    EXPECT_EQ(verdict.detection.sungNote, 12);
    // Nothing more is accepted without singing.
    EXPECT_FALSE(silence().accepted);
}

} // namespace
