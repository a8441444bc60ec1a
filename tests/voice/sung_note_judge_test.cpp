#include "voice/pitch_detector.h"
#include "voice/sung_note_judge.h"

#include "platform/testing/sound_samples.h"

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

// With a tolerance the pitch of the held blocks decides; the run slides
// on until they are in tune. Two cycles: three blocks are held.
TEST(SungNoteJudge, WithAToleranceTheMedianOfTheHeldBlocksMustLieWithinIt)
{
    struct Row {
        const char* name;
        std::optional<int> tolerance;
        std::vector<std::optional<double>> cents; // the due note's blocks
        int acceptedAt;                           // 0: not accepted
    } rows[] = {
        {"40 cents off at any tolerance", {}, {40, 40, 40}, 3},
        {"40 cents off at 50", 50, {40, 40, 40}, 3},
        {"40 cents sharp at 25", 25, {40, 40, 40, 40, 40}, 0},
        {"40 cents flat at 25", 25, {-40, -40, -40, -40, -40}, 0},
        {"a wild block waits until it has left the held ones", 25, {5, 90, 5, 5, 5}, 5},
        {"sliding into tune", 25, {60, 45, 30, 20, 10}, 5},
        {"no measured pitch", 15, {std::nullopt, std::nullopt, std::nullopt}, 3},
        {"measured ones decide", 15, {std::nullopt, 30, 30}, 0},
    };
    for (const Row& row : rows) {
        SungNoteJudge judge;
        judge.setTolerance(row.tolerance);
        int acceptedAt = 0;
        for (std::size_t i = 0; i < row.cents.size() && !acceptedAt; ++i)
            if (judge.judge(33, 33, 2, row.cents[i]))
                acceptedAt = int(i) + 1;
        EXPECT_EQ(acceptedAt, row.acceptedAt) << row.name;
    }

    // The space bar accepts whatever the tolerance.
    SungNoteJudge judge;
    judge.setTolerance(15);
    EXPECT_TRUE(judge.judgeBlock({.outcome = BlockOutcome::Note, .sungNote = 33, .skipped = true},
                                 33, 2, 40.0));
}

} // namespace
