// beatwise's practice sessions: their timing, where they end, and the
// history file and its per-day summary.
#include "platform/testing/manual_clock.h"
#include "rhythm/pulse_trainer.h"
#include "rhythm/session_history.h"
#include "platform/testing/temp_dir.h"
#include "tests/support/trainer_fakes.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

namespace {

using ::testing::HasSubstr;
using Key = PulseTrainer::Key;

// Intervals ending at hits from `start` on, one after the other.
SessionTiming::Summary timingOf(const std::vector<std::uint32_t>& intervals, std::uint32_t beat,
                                std::uint32_t start = 0)
{
    SessionTiming timing;
    std::uint32_t time = start;
    for (std::uint32_t interval : intervals)
        timing.add(time += interval, interval, beat);
    return timing.summary();
}

TEST(SessionTiming, ErrorMeanSpreadAndDriftAgainstHandComputedValues)
{
    // Tolerances: the figures are sums of exact small integers, so only
    // rounding of the last digits may differ.
    constexpr double exact = 1e-9;
    struct Case {
        const char* name;
        std::vector<std::uint32_t> intervals;
        int counted;
        double mean, spread, meanShare;
    };
    const Case cases[] = {
        {"on the beat", {750, 750, 750, 750}, 4, 0, 0, 0},
        {"steadily 15 ms early", {735, 735, 735}, 3, -15, 0, -2},
        // Sample standard deviation of -20, +20, -20, +20: sqrt(4 * 400 / 3).
        {"scattered", {730, 770, 730, 770}, 4, 0, 23.094010767585033, 0},
        // A beat left out (1500 ms and more) carries no timing.
        {"a beat left out", {750, 1500, 2000, 760}, 2, 5, 7.0710678118654755, 2.0 / 3},
        {"no intervals", {}, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const SessionTiming::Summary s = timingOf(c.intervals, 750);
        EXPECT_EQ(s.intervals, c.counted) << c.name;
        EXPECT_NEAR(s.meanErrorMs, c.mean, exact) << c.name;
        EXPECT_NEAR(s.errorSpreadMs, c.spread, exact) << c.name;
        EXPECT_NEAR(s.meanErrorBeatPercent, c.meanShare, exact) << c.name;
    }

    // A steady player does not drift; one who speeds up from 80 to 100 BPM
    // over the 101 s (1.69 minutes) of 151 shrinking intervals drifts by about
    // 20 / 1.69 = 11.8 BPM a minute. The tempo 60000 / interval does not rise
    // quite linearly in time, so the fitted line may differ by a few tenths.
    EXPECT_NEAR(timingOf({750, 750, 750, 750}, 750).driftBpmPerMinute, 0, exact);
    std::vector<std::uint32_t> faster;
    for (std::uint32_t i = 750; i >= 600; --i)
        faster.push_back(i);
    EXPECT_NEAR(timingOf(faster, 750).driftBpmPerMinute, 11.8, 0.5);
    // The same across a wrap of the millisecond clock.
    EXPECT_NEAR(timingOf(faster, 750, 0xFFFFF000u).driftBpmPerMinute, 11.8, 0.5);
}

struct RecordedSessions final : SessionLog {
    std::vector<SessionRecord> ended;
    void sessionEnded(const SessionRecord& record) override { ended.push_back(record); }
};

struct SessionTest : ::testing::Test {
    ManualClock clock{10000};
    RecordingView view;
    RecordingBeeper beeper;
    RecordingMidiOutputSystem midi{{}, clock};
    SharedMidiOutput output{midi};
    RecordedSessions sessions;
    std::unique_ptr<PulseTrainer> trainer =
        std::make_unique<PulseTrainer>(clock, view, output, beeper);

    void SetUp() override { trainer->recordSessionsIn(&sessions); }
    void tap(std::uint32_t ms)
    {
        clock.advance(ms);
        trainer->keyPressed(Key::Other, clock.milliseconds(), false);
        trainer->keyReleased(Key::Other, false);
    }
    void midiNote(std::uint32_t ms)
    {
        clock.advance(ms);
        trainer->midiMessage(shortMessage(0x90, 60, 100), clock.milliseconds());
    }
};

TEST_F(SessionTest, ASessionRunsFromItsFirstHitToEscapeResultsATempoChangeOrTheEnd)
{
    trainer->keyPressed(Key::Escape, clock.milliseconds(), false);
    EXPECT_TRUE(sessions.ended.empty()); // no hit, no session

    // 80 BPM (the slider's start): a beat of 750 ms.
    tap(1000);
    tap(750);
    tap(760);
    midiNote(2000); // after a pause: starts afresh, no timing
    trainer->keyPressed(Key::Escape, clock.milliseconds(), false);
    ASSERT_EQ(sessions.ended.size(), 1u);
    const SessionRecord& first = sessions.ended[0];
    EXPECT_EQ(first.hits, 4u);
    EXPECT_EQ(first.durationMs, 750u + 760 + 2000);
    EXPECT_EQ(first.tempo, 80);
    EXPECT_TRUE(first.keyboard);
    EXPECT_TRUE(first.midi);
    EXPECT_FALSE(first.metronome);
    EXPECT_EQ(first.timing.intervals, 2);
    EXPECT_DOUBLE_EQ(first.timing.meanErrorMs, 5);

    // The first hit after Escape is 1000 ms after the last one before it:
    // a new session's first hit all the same, without timing.
    tap(1000);
    tap(750);
    trainer->keyPressed(Key::Results, clock.milliseconds(), false);
    ASSERT_EQ(sessions.ended.size(), 2u);
    EXPECT_EQ(sessions.ended[1].timing.intervals, 1);

    tap(1000);
    trainer->mousePressed(200, 150); // pages the slider to a new tempo
    trainer->mouseReleased();
    EXPECT_EQ(sessions.ended.size(), 3u);
    EXPECT_EQ(sessions.ended[2].tempo, 80);

    tap(1000);
    trainer.reset(); // the end of the program
    EXPECT_EQ(sessions.ended.size(), 4u);
    EXPECT_NE(sessions.ended[3].tempo, 80);
}

TEST_F(SessionTest, TheLongestRunAndTheMetronomeAreKeptPerSession)
{
    trainer->mousePressed(200, 80); // the metronome on
    trainer->mouseReleased();
    tap(1000);
    for (int i = 0; i < 3; ++i)
        tap(750);
    tap(100); // far too early: the run breaks
    tap(750);
    trainer->keyPressed(Key::Escape, clock.milliseconds(), false);
    ASSERT_EQ(sessions.ended.size(), 1u);
    EXPECT_TRUE(sessions.ended[0].metronome);
    EXPECT_EQ(sessions.ended[0].longestRun, 4u);
    EXPECT_EQ(sessions.ended[0].onTargetPercent(), 5 * 100 / 6);
}

SessionRecord sessionOf(int tempo, std::uint32_t hits, std::uint32_t onTarget, int intervals,
                        double mean, double spread, double drift)
{
    SessionRecord record;
    record.durationMs = 60'000;
    record.tempo = tempo;
    record.keyboard = true;
    record.hits = hits;
    record.onTarget = onTarget;
    record.timing.intervals = intervals;
    record.timing.meanErrorMs = mean;
    record.timing.errorSpreadMs = spread;
    record.timing.driftBpmPerMinute = drift;
    return record;
}

TEST(SessionHistoryFile, DaysSumTheirSessionsAndTheCommandLinePrintsOneLineEach)
{
    TempDir dir;
    using namespace std::chrono;
    // Noon UTC on three days: the same local date in any time zone of the
    // world but the few beyond ±12 hours.
    const auto day1 = sys_days{year{2026} / 12 / 5} + hours(12);
    const auto day3 = day1 + days(2);
    {
        SessionHistory history(dir.path());
        ASSERT_TRUE(history.append(sessionOf(80, 100, 40, 90, 10, 20, 1.0), day1));
        ASSERT_TRUE(history.append(sessionOf(80, 50, 30, 30, -10, 40, -1.0), day1 + hours(1)));
        ASSERT_TRUE(history.append(sessionOf(120, 10, 10, 9, 2, 4, 0.5), day3));
    }
    auto read = readSessionDays(dir.path(), "");
    ASSERT_TRUE(read) << read.message();
    ASSERT_EQ(read->days.size(), 2u);
    const SessionDay& first = read->days[0];
    EXPECT_EQ(first.date, "2026-12-05");
    EXPECT_EQ(first.sessions, 2);
    EXPECT_EQ(first.hits, 150);
    EXPECT_EQ(first.onTarget, 70);
    // Weighted by the intervals: (90 * 10 + 30 * -10) / 120, (90 * 20 + 30 * 40) / 120.
    EXPECT_NEAR(first.meanErrorMs, 5, 1e-9);
    EXPECT_NEAR(first.errorSpreadMs, 25, 1e-9);
    EXPECT_NEAR(first.driftBpmPerMinute, 0.5, 1e-9);

    std::ostringstream all, lastDays, csv;
    ASSERT_TRUE(printSessionHistory(dir.path(), 0, false, day3, all));
    EXPECT_EQ(all.str(), "2026-12-05  2 sessions  150 hits  on target 46%  timing error +5.0 ms, "
                         "spread 25.0 ms  drift +0.50 BPM a minute\n"
                         "2026-12-07  1 session  10 hits  on target 100%  timing error +2.0 ms, "
                         "spread 4.0 ms  drift +0.50 BPM a minute\n");
    ASSERT_TRUE(printSessionHistory(dir.path(), 2, false, day3, lastDays));
    EXPECT_THAT(lastDays.str(), ::testing::StartsWith("2026-12-07  1 session"));
    ASSERT_TRUE(printSessionHistory(dir.path(), 0, true, day3, csv));
    EXPECT_THAT(csv.str(), ::testing::StartsWith("time,duration_s,tempo,input,metronome,hits,"));
    EXPECT_THAT(csv.str(), HasSubstr(",60.0,120,key,off,10,10,100,9,2.0,4.0,"));

    // A row whose figures are not numbers (or not counts), or with more hits on target
    // than hits, is damaged, not summed.
    dir.write(kSessionsFileName, dir.read(kSessionsFileName) +
                                     "2026-12-07T10:00:00+00:00\t1\t80\tkey\toff\t-5\t0\t0\t0\t0"
                                     "\t0\t0\t0\t0\t0\n"
                                     "2026-12-07T10:00:00+00:00\t1\t80\tkey\toff\t5\t0\t0\t0\tnan"
                                     "\t0\t0\t0\t0\t0\n"
                                     "2026-12-07T10:00:00+00:00\t1\t80\tkey\toff\t1\t900000000\t0"
                                     "\t0\t0\t0\t0\t0\t0\t0\n");
    auto damaged = readSessionDays(dir.path(), "2026-12-07");
    ASSERT_TRUE(damaged);
    EXPECT_EQ(damaged->damaged, 3);
    ASSERT_EQ(damaged->days.size(), 1u);
    EXPECT_EQ(damaged->days[0].hits, 10);

    // An empty or missing history prints nothing.
    TempDir empty;
    std::ostringstream none;
    ASSERT_TRUE(printSessionHistory(empty.path(), 0, false, day3, none));
    EXPECT_EQ(none.str(), "");
}

} // namespace
