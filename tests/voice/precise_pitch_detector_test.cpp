#include "voice/pitch_detector.h"
#include "voice/precise_pitch_detector.h"
#include "voice/selected_note_detector.h"

#include "platform/testing/sound_samples.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

namespace {

// 8-bit samples at 11025 Hz of the partials of `fundamental` with the
// given amplitudes (harmonic 1 first), scaled to a peak of 100 steps.
std::vector<std::uint8_t> harmonicBlock(double fundamental, std::vector<double> amplitudes,
                                        int length = 1024)
{
    std::vector<double> wave(std::size_t(length), 0.0);
    double largest = 0;
    for (std::size_t i = 0; i < wave.size(); ++i) {
        for (std::size_t k = 0; k < amplitudes.size(); ++k)
            wave[i] += amplitudes[k] * std::sin(2 * std::numbers::pi * fundamental * double(k + 1) *
                                                double(i) / 11025);
        largest = std::max(largest, std::abs(wave[i]));
    }
    std::vector<std::uint8_t> block;
    for (double w : wave)
        block.push_back(std::uint8_t(128 + std::lround(100 * w / largest)));
    return block;
}

class PrecisePitchDetectorTest : public testing::Test {
protected:
    DetectionResult analyse(const std::vector<std::uint8_t>& block,
                            std::optional<int> skipTo = std::nullopt)
    {
        return detector.analyseBlock(block, settings, table, skipTo);
    }

    PrecisePitchDetector detector;
    DetectorSettings settings;
    PeriodTable table = buildPeriodTable(440);
};

TEST_F(PrecisePitchDetectorTest, NamesEveryNoteOfTheRangeFromAPureToneWithShortBlocks)
{
    for (int note = 0; note <= 48; ++note) {
        const DetectionResult result = analyse(sineBlock(noteFrequency(note), 1024));
        ASSERT_EQ(result.outcome, BlockOutcome::Note) << "note " << note;
        EXPECT_EQ(result.sungNote, note);
        EXPECT_EQ(detector.blockLength(), 1024); // low voices too
    }
    EXPECT_EQ(detector.pitchEstimate(), 48);

    settings.transpose = 30; // read six semitones lower, kept within 0..48
    EXPECT_EQ(analyse(sineBlock(440, 1024)).sungNote, 27);
    EXPECT_EQ(analyse(sineBlock(noteFrequency(2), 1024)).sungNote, 0);
}

// Tones whose strongest partial is not the fundamental: the Classic
// detector names the partial (an octave or a twelfth too high), the Precise
// one the note that sounds.
TEST_F(PrecisePitchDetectorTest, BrightOrHollowTonesKeepTheirOctave)
{
    struct Case {
        const char* name;
        int note;
        std::vector<double> partials;
    };
    for (const Case& c : {
             Case{"second partial strongest, A3", 21, {0.3, 1.0, 0.4, 0.2}},
             Case{"third partial strongest, C3", 12, {0.2, 0.4, 1.0, 0.3, 0.2}},
             Case{"no fundamental, E2", 4, {0.0, 1.0, 0.8, 0.6, 0.4}},
             Case{"no fundamental, G4", 31, {0.0, 1.0, 0.7, 0.5}},
         }) {
        const auto block = harmonicBlock(noteFrequency(c.note), c.partials, 2048);
        PitchDetector classic;
        classic.analyseBlock(block, settings, table, std::nullopt); // settles on the long block
        EXPECT_NE(classic.analyseBlock(block, settings, table, std::nullopt).sungNote, c.note)
            << c.name;
        const DetectionResult precise = analyse(block);
        EXPECT_EQ(precise.outcome, BlockOutcome::Note) << c.name;
        EXPECT_EQ(precise.sungNote, c.note) << c.name;
    }
}

TEST_F(PrecisePitchDetectorTest, NoiseWithoutAPitchCountsAsSilence)
{
    std::mt19937 random(11);
    std::normal_distribution<double> gauss(0, 25);
    auto noise = [&] {
        std::vector<std::uint8_t> block;
        for (int i = 0; i < 1024; ++i)
            block.push_back(std::uint8_t(std::clamp(128 + std::lround(gauss(random)), 0L, 254L)));
        return block;
    };
    ASSERT_EQ(analyse(sineBlock(440, 1024)).sungNote, 33);
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(analyse(noise()).outcome, BlockOutcome::Silent) << "block " << i;
        EXPECT_EQ(analyse(noise()).outcome, BlockOutcome::SilentEraseMarker);
    }
    EXPECT_LT(detector.clarity(), PrecisePitchDetector::clarityThreshold);
    EXPECT_EQ(detector.pitchEstimate(), 33); // silence keeps the last note
}

// A block across a change of note names one of the two notes or nothing,
// never a third note that neither was (a blend of their periods), so the
// marker does not jump to it.
TEST_F(PrecisePitchDetectorTest, ABlockAcrossAChangeOfNoteNamesOneOfTheTwoOrNothing)
{
    for (auto [from, to] : {std::pair{9, 40}, {40, 9}, {4, 31}, {30, 18}, {12, 47}}) {
        for (int split : {256, 512, 768}) {
            auto block = harmonicBlock(noteFrequency(from), {1.0, 0.5, 0.3}, split);
            const auto next = harmonicBlock(noteFrequency(to), {1.0, 0.5, 0.3}, 1024 - split);
            block.insert(block.end(), next.begin(), next.end());
            const DetectionResult result = analyse(block);
            if (result.outcome == BlockOutcome::Note) {
                EXPECT_TRUE(result.sungNote == from || result.sungNote == to)
                    << from << " to " << to << " after " << split << ": " << result.sungNote;
            }
        }
        // Once the new note fills the block, it is named.
        EXPECT_EQ(analyse(harmonicBlock(noteFrequency(to), {1.0, 0.5, 0.3})).sungNote, to);
    }
}

// The filter, the gain and the skip request behave as the Classic detector's.
TEST_F(PrecisePitchDetectorTest, SharesTheClassicDetectorsGate)
{
    settings.micFilter = 126; // no sample exceeds 126
    EXPECT_EQ(analyse(sineBlock(440, 1024, 127)).outcome, BlockOutcome::Silent);
    settings.micFilter = 10;
    settings.micVol = 0; // nothing left to hear
    EXPECT_EQ(analyse(sineBlock(440, 1024)).outcome, BlockOutcome::Silent);
    settings.micVol = 63;

    settings.micMuted = true; // muted: silent, even with a skip
    EXPECT_EQ(analyse(sineBlock(440, 1024), 21).outcome, BlockOutcome::Silent);
    settings.micMuted = false;
    const DetectionResult skipped = analyse(silenceBlock(1024), 21);
    EXPECT_EQ(skipped.outcome, BlockOutcome::Note);
    EXPECT_TRUE(skipped.skipped);
    EXPECT_EQ(skipped.sungNote, 21);
}

TEST(NoteDetectorFactory, MakesTheDetectorOfEachKind)
{
    const PeriodTable table = buildPeriodTable(440);
    for (DetectorKind kind : allDetectorKinds) {
        const auto detector = makeNoteDetector(kind);
        // Classic starts on the long block, Precise always asks for 1024 samples.
        EXPECT_EQ(detector->blockLength(), kind == DetectorKind::Classic ? 2048 : 1024);
        const auto block = sineBlock(440, detector->blockLength());
        EXPECT_EQ(detector->analyseBlock(block, {}, table, std::nullopt).sungNote, 33);
    }
}

// The Classic detector shortens its block after a high note; choosing the
// kind in use keeps that state, another kind starts afresh.
TEST(SelectedNoteDetector, AChangeOfKindStartsAFreshDetector)
{
    const PeriodTable table = buildPeriodTable(440);
    SelectedNoteDetector detector(DetectorKind::Classic);
    detector.analyseBlock(sineBlock(880, 2048), {}, table, std::nullopt);
    ASSERT_EQ(detector.blockLength(), 1024);
    detector.select(DetectorKind::Classic);
    EXPECT_EQ(detector.blockLength(), 1024);
    detector.select(DetectorKind::Precise);
    EXPECT_EQ(detector.kind(), DetectorKind::Precise);
    EXPECT_EQ(detector.analyseBlock(sineBlock(440, 1024), {}, table, std::nullopt).sungNote, 33);
    detector.select(DetectorKind::Classic);
    EXPECT_EQ(detector.blockLength(), 2048);
}

} // namespace
