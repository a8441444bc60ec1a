// How in tune a drill was sung: the report's figures from known readings, and
// from a synthetic singer heard through the detector as the drill hears it.
#include "drill/drill_record.h"
#include "drill/intonation_report.h"
#include "voice/cents.h"
#include "voice/precise_pitch_detector.h"

#include "tests/support/synthetic_singer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

TEST(NoteIntonation, TheOnsetIsTheScoopAndTheRestGivesMedianAndSpread)
{
    // Blocks every 93 ms: two in the scoop, then a note 10 cents sharp with a
    // vibrato whose blocks alternate 6 and 14, and one stray block.
    const CentsReading readings[] = {{0, -80},  {93, -40}, {186, 6},  {279, 14}, {372, 6},
                                     {465, 14}, {558, 40}, {651, 14}, {744, 6}};
    const auto note = noteIntonation(readings);
    ASSERT_TRUE(note);
    EXPECT_DOUBLE_EQ(note->median, 10);
    EXPECT_DOUBLE_EQ(note->spread, 8);
    EXPECT_DOUBLE_EQ(note->scoop.value_or(0), -60);

    // With fine readings the spread is theirs (of the stable part only).
    const CentsReading fine[] = {{50, -90}, {200, -20}, {223, 40}, {246, 20}, {269, 0}};
    EXPECT_DOUBLE_EQ(noteIntonation(readings, fine)->spread, 30); // of -20 0 20 40
    EXPECT_DOUBLE_EQ(noteIntonation(readings, fine)->median, 10);

    // Accepted within the onset: the figures are of all it had.
    const CentsReading quick[] = {{0, 4}, {93, 8}};
    EXPECT_DOUBLE_EQ(noteIntonation(quick)->median, 6);
    EXPECT_DOUBLE_EQ(heldPitchCents(std::vector<double>{12}), 12);
    EXPECT_FALSE(noteIntonation({}));
}

TEST(DrillIntonation, OffsetDriftAndIntervalsComeFromTheNotesMedians)
{
    // A singer 10 cents sharp who sinks 2 cents a note; one note answered by key.
    const std::optional<double> medians[] = {10, 8, std::nullopt, 4, 2};
    const auto drill = drillIntonation(medians);
    ASSERT_TRUE(drill);
    EXPECT_EQ(drill->notes, 4);
    EXPECT_DOUBLE_EQ(drill->meanOffset, 6);
    EXPECT_NEAR(drill->driftPerNote, -2, 1e-9);
    EXPECT_DOUBLE_EQ(drill->relative, 3); // |4| |2| |-2| |-4| about the offset

    const std::optional<double> one[] = {-7};
    EXPECT_DOUBLE_EQ(drillIntonation(one)->driftPerNote, 0);
    const std::optional<double> none[] = {std::nullopt};
    EXPECT_FALSE(drillIntonation(none));
}

TEST(CentsGrade, WithinNearAndOffTheToleranceWithTwentyFiveForAny)
{
    struct Row {
        const char* name;
        double cents;
        std::optional<int> tolerance;
        CentsGrade grade;
    } rows[] = {
        {"on the edge", -15, 15, CentsGrade::Within},
        {"just past", 15.5, 15, CentsGrade::Near},
        {"twice", 30, 15, CentsGrade::Near},
        {"beyond twice", -31, 15, CentsGrade::Off},
        {"any: 25 inside", 25, {}, CentsGrade::Within},
        {"any: 60 off", 60, {}, CentsGrade::Off},
    };
    for (const Row& row : rows)
        EXPECT_EQ(gradeCents(row.cents, row.tolerance), row.grade) << row.name;
}

// E4 accepted while still sung, then F4 a semitone up: the tail of E4 lies
// within reach of a scoop, but it is the note before, not F4's onset.
TEST(DrillRecorder, TheNoteBeforeStillHeldIsNotTheDueNotesOnset)
{
    Melody melody;
    melody.noteCount = 2;
    melody.noteIndex[0] = 28;
    melody.noteIndex[1] = 29;
    DrillRecorder recorder;
    recorder.begin(melody, 0, {}, 0);
    const DetectionResult e4{.outcome = BlockOutcome::Note, .sungNote = 28, .period = 1};
    const DetectionResult f4{.outcome = BlockOutcome::Note, .sungNote = 29, .period = 1};
    std::uint32_t now = 0;
    for (int block = 0; block < 2; ++block)
        recorder.heard(e4, 1, -8.0, now += 93);
    recorder.accepted(now, false);
    for (int block = 0; block < 6; ++block)
        recorder.heard(e4, 1, -108.0, now += 93);
    for (int block = 0; block < 4; ++block)
        recorder.heard(f4, 1, 20.0, now += 93);
    const NoteRecord* f = recorder.accepted(now, false);
    ASSERT_TRUE(f && f->intonation);
    EXPECT_DOUBLE_EQ(f->intonation->median, 20);
}

// Five notes, each held two seconds after a breath, sung +17, -23, 0, +17, -23
// cents off and sinking a further 2 cents a note, each with 5.5 Hz vibrato of
// +-60 cents and a scoop from 80 cents below. Blocks of 93 ms each read half a
// vibrato cycle, so the medians are good to the 3 cents the measurement of a
// vibrato note allows; the spread comes from quarter blocks, which follow the
// swing to within 5 cents.
TEST(DrillRecorder, ReportsTheIntonationOfASyntheticSingerWithinThreeCents)
{
    const int notes[] = {24, 28, 26, 31, 29};
    const double offsets[] = {17, -23, 0, 17, -23};
    constexpr double drift = -2;
    Melody melody;
    melody.noteCount = 5;
    for (int i = 0; i < 5; ++i)
        melody.noteIndex[std::size_t(i)] = notes[i];

    const PeriodTable table = buildPeriodTable(440);
    PrecisePitchDetector detector;
    DrillRecorder recorder;
    recorder.begin(melody, 0, {}, 0);
    std::uint32_t now = 0;
    for (int i = 0; i < 5; ++i) {
        SyntheticSinger singer;
        singer.rest(0.2);
        singer.sing(notes[i], 2.0,
                    {.cents = offsets[i] + drift * i, .vibratoCents = 60, .scoopCents = -80});
        const std::vector<std::uint8_t>& samples = singer.samples();
        for (std::size_t start = 0; start + 1024 <= samples.size(); start += 1024) {
            now += 93;
            const DetectionResult heard = detector.analyseBlock(
                std::span(samples).subspan(start, 1024), {}, table, std::nullopt);
            recorder.heard(heard, 1, centsAgainstDueNote(heard, notes[i], table, 24), now,
                           quarterCentsAgainstDueNote(heard, notes[i], table, 24));
        }
        recorder.accepted(now, false);
    }
    const auto record = recorder.end(now);
    ASSERT_TRUE(record);
    double meanTruth = 0;
    for (int i = 0; i < 5; ++i) {
        const double truth = offsets[i] + drift * i;
        meanTruth += truth / 5;
        const auto& sung = record->notes[std::size_t(i)].intonation;
        ASSERT_TRUE(sung) << "note " << i;
        EXPECT_NEAR(sung->median, truth, 3.0) << "note " << i;
        // A +-60-cent sine's interquartile range is 2 x 60 x sin 45 degrees.
        EXPECT_NEAR(sung->spread, 120 * std::sin(std::numbers::pi / 4), 5.0) << "note " << i;
        // The scoop starts 80 cents low: its blocks read well below the note.
        ASSERT_TRUE(sung->scoop) << "note " << i;
        EXPECT_LT(*sung->scoop, sung->median - 20) << "note " << i;
    }
    const auto drill = record->intonation();
    ASSERT_TRUE(drill);
    EXPECT_EQ(drill->notes, 5);
    EXPECT_NEAR(drill->meanOffset, meanTruth, 1.5);
    // The offsets alternate, so the fitted line leans on them too: the truth is
    // the slope through the true offsets, -2 plus theirs.
    const std::optional<double> truths[] = {17, -25, -4, 11, -31};
    EXPECT_NEAR(drill->driftPerNote, drillIntonation(truths)->driftPerNote, 0.5);
    EXPECT_NEAR(drill->relative, drillIntonation(truths)->relative, 2.0);
}

} // namespace
