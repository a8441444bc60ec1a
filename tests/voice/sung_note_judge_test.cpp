#include "voice/block_verdict.h"

#include "tests/support/sound_samples.h"

#include <gtest/gtest.h>

namespace {

// Detector and judge together, as each block is heard.
TEST(BlockVerdict, AcceptsAfterCyclesMatchesSilenceLeavesTheRunAloneAWrongNoteRestartsIt)
{
    PitchDetector detector;
    SungNoteJudge judge;
    const PeriodTable table = buildPeriodTable(440);
    auto accepted = [&](double frequency) {
        auto block =
            frequency ? sineBlock(frequency, detector.fftSize()) : silenceBlock(detector.fftSize());
        return analyseAndJudge(detector, judge, block, {}, table, 33, 2).accepted;
    };
    EXPECT_FALSE(accepted(440));
    for (int i = 0; i < 6; ++i)
        EXPECT_FALSE(accepted(0));
    EXPECT_EQ(judge.holdCount(), 1);
    EXPECT_FALSE(accepted(220));
    EXPECT_EQ(judge.holdCount(), 0);
    EXPECT_FALSE(accepted(440));
    EXPECT_FALSE(accepted(440));
    EXPECT_TRUE(accepted(440)); // the block after `cycles` matches
    EXPECT_EQ(judge.holdCount(), 0);
    EXPECT_FALSE(accepted(440));
}

} // namespace
