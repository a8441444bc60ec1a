#include "voice/cents.h"
#include "voice/note_detector.h"
#include "voice/pitch_measure.h"
#include "voice/recording_detection.h"

#include "tests/support/synthetic_singer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

const PeriodTable table = buildPeriodTable(440);

// The signed cents each block of `samples` measures against `note` (named or not).
std::vector<double> centsOfBlocks(const std::vector<std::uint8_t>& samples, DetectorKind kind,
                                  int note)
{
    const auto detector = makeNoteDetector(kind);
    std::vector<double> cents;
    for (const DetectedBlock& block : detectBlocks(samples, DetectorSettings{}, table, *detector))
        if (block.result.period > 0)
            cents.push_back(centsAgainstNote(block.result.period, note, table, 24));
    return cents;
}

TEST(Cents, NotesBeyondTheTableContinueItsSemitonesAndPitchClassesFoldOctaves)
{
    const double a4 = table[33];
    EXPECT_NEAR(centsAgainstNote(a4, 33, table, 24), 0, 0.01);
    EXPECT_NEAR(centsAgainstNote(a4 / std::pow(2.0, 17 / 1200.0), 33, table, 24), 17, 0.01);
    // Transposed up an octave, note 21 is read from the A4 entry.
    EXPECT_NEAR(centsAgainstNote(a4, 21, table, 36), 0, 0.01);
    // Two semitones below the table's lowest C.
    EXPECT_NEAR(periodOfNote(-2, table, 24), table[0] * 1.059463 * 1.059463, 1e-9);
    EXPECT_NEAR(centsAgainstNote(a4 / 2, 33, table, 24), 1200, 0.01);
    EXPECT_NEAR(centsAgainstPitchClass(a4 / 2 * std::pow(2.0, 23 / 1200.0), 33, table, 24), -23,
                0.01);
    EXPECT_FALSE(blockCents(0, 33, table, 24));
}

// Pure tones from 80 Hz to 1 kHz, on and off the notes: every block within
// 2 cents of the truth, with either detector naming the note. 8-bit samples
// quantise a tone of peak 100 steps to about 0.3 % noise, which the
// thousand-sample window averages far below a cent.
TEST(IntonationMeasure, PureTonesReadWithinTwoCentsFrom80HzTo1kHz)
{
    struct Row {
        const char* name;
        double hertz;
    } rows[] = {{"80 Hz", 80}, {"A2", 110},     {"157 Hz", 157.3}, {"C4", 261.63},
                {"A4", 440},   {"683 Hz", 683}, {"B5", 987.77},    {"1 kHz", 1000}};
    for (const Row& row : rows)
        for (DetectorKind kind : {DetectorKind::Classic, DetectorKind::Precise}) {
            // The truth against the nearest note of the table.
            const double period = 11025 / row.hertz;
            const int note = noteOfPeriod(period, table, 24);
            const double truth = centsAgainstNote(period, note, table, 24);
            const auto cents = centsOfBlocks(sineBlock(row.hertz, 8192), kind, note);
            ASSERT_FALSE(cents.empty()) << row.name;
            for (double c : cents)
                EXPECT_NEAR(c, truth, 2.0) << row.name << " " << detectorKeyword(kind);
        }
}

// A note that starts or stops inside a block: the block's silent part is left
// out of the measure, so its onset and release blocks read as its held ones
// (they read some 35 cents sharp when the silence counted).
TEST(IntonationMeasure, OnsetAndReleaseBlocksReadWithinTwoCents)
{
    for (const double hertz : {220.0, 329.63, 523.25}) {
        std::vector<std::uint8_t> samples(1500, 128);
        const std::vector<std::uint8_t> tone = sineBlock(hertz, 4000);
        samples.insert(samples.end(), tone.begin(), tone.end());
        samples.insert(samples.end(), 1500, 128);
        const double period = 11025 / hertz;
        const int note = noteOfPeriod(period, table, 24);
        const auto cents = centsOfBlocks(samples, DetectorKind::Precise, note);
        ASSERT_GE(cents.size(), 4u) << hertz;
        for (double c : cents)
            EXPECT_NEAR(c, centsAgainstNote(period, note, table, 24), 2.0) << hertz;
    }
}

// A held note with 5.5 Hz vibrato of +-60 cents: each 93 ms block reads the
// pitch over half a vibrato cycle, so blocks alternate tens of cents either
// side of the centre, but the pitch of the held note over two seconds lies
// within 3 cents of it.
TEST(IntonationMeasure, TheMedianOfAVibratoNoteIsWithinThreeCentsOfItsCentre)
{
    for (double offset : {+17.0, -23.0, 0.0}) {
        SyntheticSinger singer;
        singer.sing(29, 2.0, {.cents = offset, .vibratoCents = 60});
        const auto cents = centsOfBlocks(singer.samples(), DetectorKind::Precise, 29);
        ASSERT_GE(cents.size(), 15u);
        EXPECT_NEAR(heldPitchCents(cents), offset, 3.0) << offset;
    }
}

// Noise has tops anywhere: the refinement stays within a semitone of the
// period it was given, and ends.
TEST(IntonationMeasure, RefiningNoiseStaysNearThePeriodGiven)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> noise(-1, 1);
    for (std::size_t length : {256u, 1024u}) {
        std::vector<double> window(length);
        for (double& x : window)
            x = noise(random);
        for (double period : {2.5, 20.0, 60.0, 120.0}) {
            const double refined = refinePeriod(window, period);
            EXPECT_NEAR(refined, period, period * 0.061) << length << " " << period;
        }
    }
}

TEST(DetectCommand, TheFifthColumnIsTheSignedCentsAgainstTheNamedNote)
{
    std::vector<std::uint8_t> samples = silenceBlock(1024);
    for (double cents : {17.0, -23.0, 0.0}) {
        const auto tone = sineBlock(440 * std::pow(2.0, cents / 1200), 1024);
        samples.insert(samples.end(), tone.begin(), tone.end());
    }
    const auto precise = makeNoteDetector(DetectorKind::Precise);
    std::vector<std::string> lines;
    for (const auto& block : detectBlocks(samples, DetectorSettings{}, table, *precise))
        lines.push_back(describeBlock(block));
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "   0.000  1024  silent", "   0.093  1024  33 A4   +17",
                         "   0.186  1024  33 A4   -23", "   0.279  1024  33 A4     0"}));

    // A named note without a clear period (the Classic detector names noise).
    DetectedBlock unclear;
    unclear.startSeconds = 1;
    unclear.length = 2048;
    unclear.result.outcome = BlockOutcome::Note;
    unclear.result.sungNote = 12;
    EXPECT_EQ(describeBlock(unclear), "   1.000  2048  12 C3     -");

    // A window across A4 and C4: the Classic detector names one, the pitch is neither's.
    std::vector<std::uint8_t> across = sineBlock(440, 1536);
    const auto c4 = sineBlock(261.63, 512);
    across.insert(across.end(), c4.begin(), c4.end());
    const auto classic = makeNoteDetector(DetectorKind::Classic);
    const auto blocks = detectBlocks(across, DetectorSettings{}, table, *classic);
    ASSERT_EQ(blocks.size(), 1u);
    ASSERT_GT(blocks[0].result.period, 0);
    const double measured =
        centsAgainstPitchClass(blocks[0].result.period, blocks[0].result.sungNote, table, 24);
    ASSERT_GT(std::abs(measured), 50);
    EXPECT_FALSE(blocks[0].cents);
}

} // namespace
