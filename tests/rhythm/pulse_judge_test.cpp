#include "rhythm/event_time.h"
#include "rhythm/pulse_judge.h"
#include "rhythm/status_texts.h"

#include <gtest/gtest.h>

namespace {

// A judge whose first hit has been made at 5100, at 60 BPM.
struct Judged {
    PulseJudge judge{5000};
    std::uint32_t now = 5100;
    const HitStats& s = judge.stats();
    Judged() { judge.judge(now, 60); }
    JudgedHit after(std::uint32_t ms) { return judge.judge(now += ms, 60); }
};

} // namespace

TEST(PulseJudge, TheTargetsEdgesAt60Bpm)
{
    struct Case {
        std::uint32_t interval;
        int x, lamp;
    } cases[] = {{1000, 200, 8},  {941, 190, 8}, {1065, 210, 8}, {940, 189, 7},
                 {1066, 211, 9},  {0, 32, 0},    {999, 199, 8},  {1999, 367, 16},
                 {2500, 368, 16}, {3000, 200, 8} /* a pause of three beats starts afresh */};
    for (auto c : cases) {
        JudgedHit hit = Judged().after(c.interval);
        EXPECT_EQ(hit.needleX, c.x) << c.interval;
        EXPECT_EQ(hit.lamp, c.lamp) << c.interval;
        EXPECT_EQ(hit.onTarget, c.lamp == 8) << c.interval;
    }
}

TEST(PulseJudge, AThreeBeatPauseStartsAfresh)
{
    constexpr std::uint32_t t = 0xFFFFFF00u;
    PulseJudge judge(t);
    EXPECT_TRUE(judge.awaitingFirstHit());
    EXPECT_EQ(judge.judge(t + 20, 60).needleX, 200); // far less than a beat
    EXPECT_FALSE(judge.awaitingFirstHit());
    EXPECT_EQ(judge.stats().runStart, t + 20);
    EXPECT_EQ(judge.judge(t + 1020, 60).needleX, 200);
    EXPECT_TRUE(judge.judge(t + 4020, 60).onTarget);
    EXPECT_EQ(judge.stats().runStart, t + 4020);
    EXPECT_EQ(judge.stats().run, 3u);
}

TEST(PulseJudge, TheStatusLinesCountRuns)
{
    Judged j;
    j.after(1000);
    j.after(1000); // a run of 3, 2 s long
    j.after(700);  // early: the run ends at 7800
    EXPECT_EQ(steadinessLine(j.s), "Steady hitting = 3 out of total = 4, steadiness = 75%");
    EXPECT_EQ(runLine(j.s), "Continuously = 3 hits = 2.70 secs (best = 0 hits = 2.70 secs)");

    j.after(1000);
    j.after(400); // a short run of one ends; the best stays
    EXPECT_EQ(steadinessLine(j.s), "Steady hitting = 4 out of total = 6, steadiness = 66%");
    EXPECT_EQ(runLine(j.s), "Continuously = 3 hits = 1.40 secs (best = 0 hits = 2.70 secs)");
}

TEST(PulseJudge, TheResultsBoxEndsTheRun)
{
    Judged j;
    j.after(1000);
    j.after(1000);
    ResultsReport r = j.judge.closeMeasurement(j.now + 500); // the run is timed up to the box
    EXPECT_EQ(resultsText(r),
              "Total hits = 3\nRight on (green) target = 3\n\n\n"
              "Continuously steady = 3 hits\n(best for this session is 3 hits)\n\n\n"
              "Continuously steady = 2.50 seconds\n(best for this session is 2.50 "
              "seconds)\n\n\nPercentage = 100\n\n");
    EXPECT_EQ(j.s.longestRun, 0u);
    EXPECT_EQ(j.s.total, 3u);
    EXPECT_EQ(j.s.runStart, j.now + 500);

    // A shorter measurement afterwards does not lower the session's bests.
    j.after(1000);
    j.after(300);
    ResultsReport second = j.judge.closeMeasurement(j.now);
    EXPECT_EQ(second.total, 5u);
    EXPECT_EQ(second.longestRun, 1u);
    EXPECT_FLOAT_EQ(second.lastRunSeconds, 0.8f); // from the box to the miss that ended it
    EXPECT_EQ(second.bestRun, 3u);
    EXPECT_FLOAT_EQ(second.bestRunSeconds, 2.5f);
}

TEST(PulseJudge, EscapeKeepsTheBests)
{
    Judged j;
    j.after(1000);
    j.after(500);
    j.judge.closeMeasurement(j.now);
    j.after(1000);
    j.judge.clearCounters(j.now += 10000);
    EXPECT_EQ(j.s.total + j.s.onTarget + j.s.run + j.s.longestRun, 0u);
    EXPECT_EQ(j.s.bestRun, 2u);
    EXPECT_FLOAT_EQ(j.s.bestRunSeconds, 1.5f);
    EXPECT_FALSE(j.judge.awaitingFirstHit());
    // A run after Esc is timed from Esc, not from before it. With no hits the
    // box reports a total of one, which is not counted as a hit.
    ResultsReport r = j.judge.closeMeasurement(j.now + 1000);
    EXPECT_FLOAT_EQ(r.lastRunSeconds, 1.0f);
    EXPECT_EQ(resultsText(r).substr(0, 45), "Total hits = 1\nRight on (green) target = 0\n\n\n");
    EXPECT_EQ(r.percent, 0);
    j.after(1000);
    EXPECT_EQ(j.s.total, 1u);
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
