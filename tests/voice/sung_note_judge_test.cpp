#include "voice/pitch_detector.h"
#include "voice/sung_note_judge.h"

#include "tests/support/sound_samples.h"

#include <gtest/gtest.h>

namespace {

// Detector and judge together, as each block is heard.
TEST(SungNoteJudge, AcceptsAfterCyclesMatchesSilenceLeavesTheRunAloneAWrongNoteRestartsIt)
{
    PitchDetector detector;
    SungNoteJudge judge;
    const PeriodTable table = buildPeriodTable(440);
    auto accepted = [&](double frequency, std::optional<int> skipTo = std::nullopt) {
        auto block = frequency ? sineBlock(frequency, detector.blockLength())
                               : silenceBlock(detector.blockLength());
        return judge.judgeBlock(detector.analyseBlock(block, {}, table, skipTo), 33, 2);
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

    EXPECT_TRUE(accepted(0, 33)); // the space bar in silence accepts at once
    EXPECT_EQ(judge.holdCount(), 0);
}

} // namespace
