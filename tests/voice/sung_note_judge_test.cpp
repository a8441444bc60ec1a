#include "voice/block_verdict.h"
#include "voice/sung_note_judge.h"

#include "tests/support/sound_samples.h"

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

// Detector and judge together, as each block is heard.
class BlockVerdictTest : public testing::Test {
protected:
    bool accepted(const std::vector<std::uint8_t>& block)
    {
        return analyseAndJudge(detector, judge, block, settings, table, 33, 1).accepted;
    }
    bool a4() { return accepted(sineBlock(440, detector.fftSize())); }

    PitchDetector detector;
    SungNoteJudge judge;
    DetectorSettings settings;
    PeriodTable table = buildPeriodTable(440);
};

TEST_F(BlockVerdictTest, SilenceLeavesTheRunAloneAndAWrongNoteRestartsIt)
{
    EXPECT_FALSE(a4());
    for (int i = 0; i < 6; ++i)
        EXPECT_FALSE(accepted(silenceBlock(detector.fftSize())));
    EXPECT_EQ(judge.holdCount(), 1);
    EXPECT_FALSE(accepted(sineBlock(220, detector.fftSize())));
    EXPECT_EQ(judge.holdCount(), 0);
    EXPECT_FALSE(a4());
    EXPECT_TRUE(a4());
}

} // namespace
