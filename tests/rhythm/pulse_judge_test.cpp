#include "rhythm/event_time.h"
#include "rhythm/pulse_judge.h"
#include "rhythm/status_texts.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t start = 5000;

// A judge whose first hit has been made at `start` + 100, at 60 BPM.
struct Judged {
    PulseJudge judge{start};
    std::uint32_t now = start + 100;
    Judged() { judge.judge(now, 60); }
    JudgedHit after(std::uint32_t ms, std::uint32_t tempo = 60)
    {
        now += ms;
        return judge.judge(now, tempo);
    }
};

} // namespace

TEST(PulseJudge, NeedleAndLampAtTheEdgesOfTheTargetAt60Bpm)
{
    struct Case {
        std::uint32_t interval;
        int x;
        int lamp;
    } cases[] = {{1000, 200, 8}, {941, 190, 8}, {1065, 210, 8}, {940, 189, 7},
                 {1066, 211, 9}, {0, 32, 0},    {999, 199, 8},  {1999, 367, 16}};
    for (auto c : cases) {
        Judged j;
        JudgedHit hit = j.after(c.interval);
        EXPECT_EQ(hit.needleX, c.x) << c.interval;
        EXPECT_EQ(hit.lamp, c.lamp) << c.interval;
        EXPECT_EQ(hit.onTarget, c.lamp == 8) << c.interval;
    }
}

TEST(PulseJudge, LampsFollowTheNeedleScale)
{
    for (int i = 0; i < dial::lampCount; ++i)
        EXPECT_EQ(lampIndexForNeedle(32 + 21 * i), i);
    EXPECT_EQ(lampIndexForNeedle(368), 16);
    EXPECT_EQ(beatLength(80), 750u);
    EXPECT_EQ(beatLength(230), 260u);
    EXPECT_EQ(beatLength(30), 2000u);
}

TEST(PulseJudge, TwoBeatPauseIsOneBeatLateThreeBeatPauseStartsAfresh)
{
    Judged j;
    j.after(1000);
    j.after(1000);
    JudgedHit late = j.after(2500);
    EXPECT_EQ(late.needleX, 368);
    EXPECT_EQ(late.lamp, 16);
    EXPECT_FALSE(late.onTarget);
    EXPECT_EQ(j.judge.stats().longestRun, 3u); // the first hit and two steady ones

    j.after(1000);
    JudgedHit fresh = j.after(3000);
    EXPECT_EQ(fresh.needleX, 200);
    EXPECT_TRUE(fresh.onTarget);
    EXPECT_EQ(j.judge.stats().runStart, j.now);
    EXPECT_EQ(j.judge.stats().run, 2u);
    EXPECT_EQ(j.after(12345).needleX, 200);
}

TEST(PulseJudge, FirstHitIsOnTargetWhateverTheWait)
{
    PulseJudge judge(start);
    EXPECT_TRUE(judge.awaitingFirstHit());
    JudgedHit hit = judge.judge(start + 20, 60); // far less than a beat
    EXPECT_EQ(hit.needleX, 200);
    EXPECT_TRUE(hit.onTarget);
    EXPECT_FALSE(judge.awaitingFirstHit());
    EXPECT_EQ(judge.stats().runStart, start + 20);
    EXPECT_EQ(judge.stats().total, 1u);
}

TEST(PulseJudge, IntervalsAcrossTheClockWrapAreJudgedNormally)
{
    PulseJudge judge(0xFFFFFF00u);
    judge.judge(0xFFFFFF00u, 60);
    EXPECT_EQ(judge.judge(0xFFFFFF00u + 1000, 60).needleX, 200);
}

TEST(PulseJudge, RunsAndTheirSecondsAndTheStatusLines)
{
    Judged j; // first hit at 5100: run 1
    j.after(1000);
    j.after(1000); // run 3, 2 s into the run
    j.after(700);  // early: the run of 3 ends at 7800
    const HitStats& s = j.judge.stats();
    EXPECT_EQ(s.longestRun, 3u);
    EXPECT_EQ(s.run, 0u);
    EXPECT_FLOAT_EQ(s.lastRunSeconds, 2.7f);
    EXPECT_FLOAT_EQ(s.bestRunSeconds, 2.7f);
    EXPECT_FALSE(s.inRun);
    EXPECT_EQ(steadinessLine(s), "Steady hitting = 3 out of total = 4, steadiness = 75%");
    EXPECT_EQ(runLine(s), "Continuously = 3 hits = 2.70 secs (best = 0 hits = 2.70 secs)");

    j.after(1000);
    j.after(400); // a short run of one ends; the best stays
    EXPECT_EQ(s.longestRun, 3u);
    EXPECT_FLOAT_EQ(s.lastRunSeconds, 1.4f);
    EXPECT_FLOAT_EQ(s.bestRunSeconds, 2.7f);
    EXPECT_EQ(steadinessLine(s), "Steady hitting = 4 out of total = 6, steadiness = 66%");
}

TEST(PulseJudge, ResultsBoxEndsTheRunAndKeepsTheBests)
{
    Judged j;
    j.after(1000);
    j.after(1000);
    ResultsReport r = j.judge.closeMeasurement(j.now + 500);
    EXPECT_EQ(r.total, 3u);
    EXPECT_EQ(r.onTarget, 3u);
    EXPECT_EQ(r.longestRun, 3u);
    EXPECT_EQ(r.bestRun, 3u);
    EXPECT_FLOAT_EQ(r.lastRunSeconds, 2.5f); // the run is timed up to the box
    EXPECT_FLOAT_EQ(r.bestRunSeconds, 2.5f);
    EXPECT_EQ(r.percent, 100);
    EXPECT_EQ(resultsText(r),
              "Total hits = 3\nRight on (green) target = 3\n\n\n"
              "Continuously steady = 3 hits\n(best for this session is 3 hits)\n\n\n"
              "Continuously steady = 2.50 seconds\n(best for this session is 2.50 "
              "seconds)\n\n\nPercentage = 100\n\n");

    const HitStats& s = j.judge.stats();
    EXPECT_EQ(s.longestRun, 0u);
    EXPECT_EQ(s.run, 0u);
    EXPECT_EQ(s.total, 3u);
    EXPECT_EQ(s.runStart, j.now + 500);

    // A shorter measurement afterwards does not lower the session's bests.
    j.after(1000);
    j.after(300);
    ResultsReport second = j.judge.closeMeasurement(j.now);
    EXPECT_EQ(second.total, 5u);
    EXPECT_EQ(second.longestRun, 1u);
    EXPECT_EQ(second.bestRun, 3u);
    EXPECT_FLOAT_EQ(second.bestRunSeconds, 2.5f);
}

TEST(PulseJudge, ResultsWithNoHitsReportTotalOneWithoutCountingAHit)
{
    PulseJudge judge(start);
    ResultsReport r = judge.closeMeasurement(start + 3000);
    EXPECT_EQ(r.total, 1u);
    EXPECT_EQ(r.percent, 0);
    EXPECT_EQ(resultsText(r).substr(0, 45), "Total hits = 1\nRight on (green) target = 0\n\n\n");
    EXPECT_EQ(judge.stats().total, 0u);
    judge.judge(start + 4000, 60);
    EXPECT_EQ(judge.stats().total, 1u);
}

TEST(PulseJudge, EscapeClearsTheCountersButNotTheBests)
{
    Judged j;
    j.after(1000);
    j.after(500);
    j.judge.closeMeasurement(j.now);
    j.after(1000);
    j.judge.clearCounters(j.now + 10000);
    const HitStats& s = j.judge.stats();
    EXPECT_EQ(s.total, 0u);
    EXPECT_EQ(s.onTarget, 0u);
    EXPECT_EQ(s.run, 0u);
    EXPECT_EQ(s.longestRun, 0u);
    EXPECT_EQ(s.bestRun, 2u);
    EXPECT_FLOAT_EQ(s.bestRunSeconds, 1.5f);
    EXPECT_EQ(s.steadinessPercent(), 0);
    EXPECT_FALSE(j.judge.awaitingFirstHit());

    // A run after Esc is timed from Esc, not from before it.
    j.now += 10000;
    ResultsReport r = j.judge.closeMeasurement(j.now + 1000);
    EXPECT_FLOAT_EQ(r.lastRunSeconds, 1.0f);
}

TEST(EventTime, HitsCountFromTheEventsOwnTimestamp)
{
    EventTime time;
    EXPECT_EQ(time.toClock(0, 777), 777u); // no timestamp: the time of handling
    EXPECT_EQ(time.toClock(1000, 50000), 50000u);
    // Delivered 30 ms late: the hit still counts from when the key went down.
    EXPECT_EQ(time.toClock(2000, 51030), 51000u);
    // A quicker delivery than the first shows the first was late by 5 ms.
    EXPECT_EQ(time.toClock(3000, 51995), 51995u);
    EXPECT_EQ(time.toClock(4000, 53000), 52995u);
    // The window system's clock restarted: times follow the handling again.
    EXPECT_EQ(time.toClock(10, 60000), 60000u);
    EXPECT_EQ(time.toClock(510, 60520), 60500u);
}
