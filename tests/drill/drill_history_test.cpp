// What solfara remembers of a drill: the recorder's account of each note, the
// drills and notes files, and their per-day summary.
#include "drill/drill_history.h"
#include "platform/testing/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

namespace {

using ::testing::HasSubstr;

// C4 E4 D4 in C: note indices 24, 28, 26.
Melody threeNotes()
{
    Melody melody;
    melody.noteCount = 3;
    melody.noteIndex[0] = 24;
    melody.noteIndex[1] = 28;
    melody.noteIndex[2] = 26;
    return melody;
}

DetectionResult heardNote(int note)
{
    return {.outcome = BlockOutcome::Note, .sungNote = note};
}

DrillRecord about()
{
    DrillRecord record;
    record.answerMode = "microphone";
    record.key = "C";
    return record;
}

TEST(DrillRecorder, TimesEachNoteFromWhenItBecameDueWithHearLeftOut)
{
    DrillRecorder recorder;
    recorder.begin(threeNotes(), 0, about(), 1000);
    recorder.accepted(1800, false); // 800 ms
    recorder.hearStarted(2000);     // Hear plays for 3 s: not the singer's time
    recorder.hearEnded(5000);
    recorder.accepted(5500, false); // 200 + 500 ms
    recorder.accepted(5600, true);  // the space bar
    const std::optional<DrillRecord> record = recorder.end(9000);
    ASSERT_TRUE(record);
    EXPECT_TRUE(record->finished);
    EXPECT_EQ(record->durationMs, 4600u); // ended with the last note
    EXPECT_EQ(record->hearPresses, 1);
    ASSERT_EQ(record->notes.size(), 3u);
    EXPECT_EQ(record->notes[0].msToAccept, 800u);
    EXPECT_EQ(record->notes[1].msToAccept, 700u);
    EXPECT_TRUE(record->notes[2].skipped);
    EXPECT_FALSE(record->notes[2].firstTry);
    EXPECT_EQ(record->notes[1].interval, 4);
    EXPECT_EQ(record->notes[2].interval, -2);
    EXPECT_EQ(record->notes[2].degree, 2);
}

TEST(DrillRecorder, ANoteIsRightAtTheFirstTryUnlessAnotherWasHeldOrPressedBeforeIt)
{
    constexpr int cycles = 1; // two blocks of a note would accept it
    struct Case {
        const char* name;
        std::vector<int> blocks; // notes heard before the due note (24) is accepted
        int presses;
        bool firstTry;
        int wrong, octave;
    };
    const Case cases[] = {
        {"straight on", {}, 0, true, 0, 0},
        {"a scoop through a neighbour", {23, 24, 23}, 0, true, 2, 0},
        {"a wrong note held", {26, 26}, 0, false, 2, 0},
        {"the octave held", {36, 36}, 0, false, 0, 2},
        {"a wrong key pressed", {}, 1, false, 0, 0},
    };
    for (const Case& c : cases) {
        DrillRecorder recorder;
        recorder.begin(threeNotes(), 0, about(), 0);
        for (int note : c.blocks)
            recorder.heard(heardNote(note), cycles);
        for (int i = 0; i < c.presses; ++i)
            recorder.wrongPress();
        recorder.accepted(100, false);
        const NoteRecord note = recorder.end(200)->notes[0];
        EXPECT_EQ(note.firstTry, c.firstTry) << c.name;
        EXPECT_EQ(note.wrongBlocks, c.wrong) << c.name;
        EXPECT_EQ(note.octaveBlocks, c.octave) << c.name;
        EXPECT_EQ(note.wrongPresses, c.presses) << c.name;
    }
}

TEST(DrillRecorder, ADrillInWhichNothingHappenedLeavesNoRecord)
{
    DrillRecorder recorder;
    EXPECT_FALSE(recorder.end(0)); // none begun
    recorder.begin(threeNotes(), 0, about(), 0);
    recorder.heard({.outcome = BlockOutcome::Silent}, 1);
    EXPECT_FALSE(recorder.end(5000));
    recorder.begin(threeNotes(), 0, about(), 0);
    recorder.heard(heardNote(30), 1);
    const std::optional<DrillRecord> abandoned = recorder.end(5000);
    ASSERT_TRUE(abandoned);
    EXPECT_FALSE(abandoned->finished);
    EXPECT_FALSE(abandoned->notes[0].accepted);
}

TEST(DrillNames, NotesDegreesAndIntervalsAreNamedAsAMusicianReadsThem)
{
    EXPECT_EQ(writtenNoteName(24, Accidental::None), "C4");
    EXPECT_EQ(writtenNoteName(0, Accidental::None), "C2");
    EXPECT_EQ(writtenNoteName(47, Accidental::None), "B5");
    EXPECT_EQ(writtenNoteName(25, Accidental::Sharp), "C#4");
    EXPECT_EQ(writtenNoteName(25, Accidental::Flat), "Db4");
    EXPECT_EQ(scaleDegreeName(0), "1");
    EXPECT_EQ(scaleDegreeName(3), "b3");
    EXPECT_EQ(scaleDegreeName(11), "7");
    EXPECT_EQ(intervalName(0), "unison");
    EXPECT_EQ(intervalName(3), "m3 up");
    EXPECT_EQ(intervalName(-7), "P5 down");
    EXPECT_EQ(intervalName(12), "octave up");
    EXPECT_EQ(intervalName(-14), "M9 down");
    EXPECT_EQ(intervalName(30), "30 semitones up");
}

// A drill record of notes (index, accepted, first try, ms).
DrillRecord drillOf(std::vector<std::tuple<int, bool, bool, std::uint32_t>> notes, bool finished,
                    std::uint32_t durationMs = 10000)
{
    DrillRecord record = about();
    record.finished = finished;
    record.durationMs = durationMs;
    int previous = -1;
    for (auto [index, accepted, firstTry, ms] : notes) {
        NoteRecord note;
        note.index = static_cast<int>(record.notes.size());
        note.target = index;
        note.interval = previous < 0 ? 0 : index - previous;
        note.degree = index % 12;
        note.accepted = accepted;
        note.firstTry = firstTry;
        note.msToAccept = ms;
        record.notes.push_back(note);
        previous = index;
    }
    return record;
}

using namespace std::chrono_literals;

class DrillHistoryFiles : public ::testing::Test {
protected:
    TempDir dir;
    std::chrono::system_clock::time_point today = std::chrono::system_clock::now();
};

TEST_F(DrillHistoryFiles, DaysSumUpTheirDrillsAndNotesAsComputedByHand)
{
    DrillHistory history(dir.path());
    const auto yesterday = today - 24h;
    ASSERT_TRUE(history.append(
        drillOf({{24, true, true, 1000}, {28, true, false, 3000}, {26, true, true, 2000}}, true),
        yesterday));
    ASSERT_TRUE(
        history.append(drillOf({{24, true, true, 4000}, {31, false, false, 0}}, false), yesterday));
    ASSERT_TRUE(history.append(drillOf({{24, true, true, 500}}, true), today));

    const auto progress = readDrillProgress(dir.path(), "", "");
    ASSERT_TRUE(progress) << progress.status().message();
    EXPECT_EQ(progress->damaged, 0);
    ASSERT_EQ(progress->days.size(), 2u);
    const DrillDay& first = progress->days[0];
    EXPECT_EQ(first.drills, 2);
    EXPECT_EQ(first.finished, 1);
    EXPECT_EQ(first.notes, 4); // the unaccepted note does not count
    EXPECT_EQ(first.firstTry, 3);
    EXPECT_DOUBLE_EQ(first.medianSecondsToNote, 2.5); // of 1, 2, 3, 4 s
    EXPECT_EQ(first.centsNotes, 0);
    EXPECT_EQ(progress->days[1].notes, 1);

    // Only an interval or degree with kNotesToRank notes ranks: C (degree 0)
    // came three times, all right; the others once or twice.
    ASSERT_EQ(progress->degrees.size(), 1u);
    EXPECT_EQ(progress->degrees[0].kind, 0);
    EXPECT_EQ(progress->degrees[0].notes, 3);
    EXPECT_TRUE(progress->intervals.empty());

    // A period from today holds today's day alone.
    const auto recent = readDrillProgress(dir.path(), progress->days[1].date, "");
    ASSERT_TRUE(recent);
    EXPECT_EQ(recent->days.size(), 1u);
}

TEST_F(DrillHistoryFiles, TheWorstIntervalsComeFirstAndTiesGoToTheMorePractised)
{
    DrillHistory history(dir.path());
    // Up a major third: right 1 of 4; up a whole tone: 2 of 4; down a fifth 1 of 3.
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(history.append(
            drillOf({{24, true, true, 1000}, {28, true, i == 0, 1000}}, true), today));
        ASSERT_TRUE(history.append(drillOf({{24, true, true, 1000}, {26, true, i < 2, 1000}}, true),
                                   today));
    }
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(history.append(
            drillOf({{31, true, true, 1000}, {24, true, i == 0, 1000}}, true), today));
    const auto progress = readDrillProgress(dir.path(), "", "");
    ASSERT_TRUE(progress);
    ASSERT_EQ(progress->intervals.size(), 3u);
    EXPECT_EQ(progress->intervals[0].kind, 4);  // 1 of 4 right
    EXPECT_EQ(progress->intervals[1].kind, -7); // 1 of 3
    EXPECT_EQ(progress->intervals[2].kind, 2);  // 2 of 4
}

TEST_F(DrillHistoryFiles, DamagedRowsAreSkippedAndCounted)
{
    dir.write(kDrillsFileName, "#v1\ttime\tresult\n"
                               "2026-12-01T10:00:00+01:00\tfinished\n"
                               "2026-12-01T10:05:00+01:00\tmaybe\n"
                               "no date\tfinished\n");
    dir.write(kNotesFileName, "#v1\tdrill_time\tinterval\tdegree\taccepted\tskipped\tfirst_try\t"
                              "ms_to_accept\tcents_median\n"
                              "2026-12-01T10:00:00+01:00\t\t0\t1\t0\t1\t900\t\n"
                              "2026-12-01T10:00:00+01:00\t+2\t14\t1\t0\t1\t900\t\n"
                              "2026-12-01T10:00:00+01:00\t+2\t2\t1\t0\t1\t-5\t\n"
                              "2026-12-01T10:00:00+01:00\t+2\t2\t1\t0\t1\t800\tsharp\n"
                              "2026-12-01T10:00:00+01:00\t+2\t2\t1\t0\t1\t700\t-12.5\n"
                              "2026-12-01T10:00:00+01:00\t-3e102\t2\t1\t0\t1\t700\t\n"
                              "2026-12-01T10:00:00+01:00\t+2.5\t2\t1\t0\t1\t700\t\n");
    const auto progress = readDrillProgress(dir.path(), "", "");
    ASSERT_TRUE(progress);
    // "maybe", "no date", degree 14, -5 ms, "sharp", an interval beyond the notes, half a semitone
    EXPECT_EQ(progress->damaged, 7);
    ASSERT_EQ(progress->days.size(), 1u);
    EXPECT_EQ(progress->days[0].notes, 2);
    EXPECT_EQ(progress->days[0].centsNotes, 1);
    EXPECT_DOUBLE_EQ(progress->days[0].centsMedian, 12.5);

    // A header that lost the drill's time leaves every row without a date (found by fuzzing).
    dir.write(kNotesFileName, "#v1\tdrill_\xff&time\tinterval\tdegree\taccepted\tskipped\t"
                              "first_try\tms_to_accept\tcents_median\n"
                              "2026-12-01T10:00:00+01:00\t\t0\t1\t0\t1\t900\t\n");
    const auto dateless = readDrillProgress(dir.path(), "", "");
    ASSERT_TRUE(dateless);
    EXPECT_EQ(dateless->damaged, 3); // the two drill rows above, and the note
}

TEST_F(DrillHistoryFiles, TheCommandLinePrintsOneLinePerDayOrTheRowsAsCsv)
{
    std::ostringstream empty;
    ASSERT_TRUE(printDrillHistory(dir.path(), 0, false, false, today, empty));
    EXPECT_EQ(empty.str(), "");

    DrillHistory history(dir.path());
    ASSERT_TRUE(
        history.append(drillOf({{24, true, true, 1200}, {28, true, false, 3000}}, true), today));
    std::ostringstream days;
    ASSERT_TRUE(printDrillHistory(dir.path(), 7, false, false, today, days));
    EXPECT_THAT(days.str(), HasSubstr("1 drill (1 finished)  2 notes  right at the first try 50%  "
                                      "median 2.1 s a note\n"));
    EXPECT_EQ(days.str().substr(0, 10), readDrillProgress(dir.path(), "", "")->days[0].date);

    std::ostringstream drills, notes;
    ASSERT_TRUE(printDrillHistory(dir.path(), 0, true, false, today, drills));
    ASSERT_TRUE(printDrillHistory(dir.path(), 0, true, true, today, notes));
    EXPECT_THAT(drills.str(), HasSubstr(",microphone,,echo,C,"));
    EXPECT_THAT(drills.str(), HasSubstr(",C4 E4,any,"));
    EXPECT_THAT(drills.str(), HasSubstr(",finished\n"));
    EXPECT_THAT(notes.str(), HasSubstr(",1,E4,+4,4,1,0,0,3000,,,,0,0,0\n"));
}

} // namespace
