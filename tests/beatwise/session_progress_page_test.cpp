// beatwise's Progress page made from a known history.
#include "beatwise/session_progress_page.h"

#include <gtest/gtest.h>

namespace {

const chart::Period week{7, "2026-12-02", "2026-12-08"};

SessionPoint session(const std::string& date, double fraction, int onTarget, double spread,
                     double drift, long intervals = 40)
{
    return {date, fraction, onTarget, spread, drift, intervals};
}

TEST(SessionProgressPage, EverySessionIsAPointAtItsTimeOfDay)
{
    SessionDays history;
    history.days = {{.date = "2026-12-03", .sessions = 2, .hits = 100, .onTarget = 70},
                    {.date = "2026-12-08", .sessions = 1, .hits = 100, .onTarget = 90}};
    history.sessions = {session("2026-12-01", 0.5, 10, 90, 5), // before the period
                        session("2026-12-03", 0.25, 60, 40, 2),
                        session("2026-12-03", 0.75, 80, 30, 1, 0), // no timing figures
                        session("2026-12-08", 0.5, 90, 20, -1)};
    const ProgressPage page = sessionProgressPage(history, week);
    ASSERT_EQ(page.charts.size(), 4u);
    EXPECT_EQ(page.charts[0].figure, "3");
    const chart::Chart& onTarget = page.charts[1];
    ASSERT_EQ(onTarget.points.size(), 3u);
    EXPECT_DOUBLE_EQ(onTarget.points[0].day, 1.25);
    EXPECT_DOUBLE_EQ(onTarget.points[2].day, 6.5);
    EXPECT_EQ(onTarget.figure, "80 % (+30)"); // 160 of 200 hits; from 60 % to 90 %
    EXPECT_EQ(page.charts[2].points.size(), 2u) << "only sessions with timing figures";
    EXPECT_TRUE(page.charts[3].symmetric);
    EXPECT_EQ(page.charts[3].figure, "+0.5 BPM/min"); // (2 * 40 - 1 * 40) / 80
}

TEST(SessionProgressPage, TheAdviceFollowsTheDriftThenTheShareOnTarget)
{
    const struct {
        const char* name;
        double drift;
        long onTarget;
        const char* begins;
    } cases[] = {
        {"speeding up", 1.5, 90, "You tend to speed up (1.5 BPM a minute)"},
        {"slowing down", -2, 90, "You tend to slow down (-2.0 BPM a minute)"},
        {"off target", 0.2, 40, "Many hits are off target"},
        {"steady", 0.2, 90, "Steady and on target"},
    };
    for (const auto& c : cases) {
        SessionDays history;
        history.days = {{.date = "2026-12-08", .sessions = 1, .hits = 100, .onTarget = c.onTarget}};
        history.sessions = {session("2026-12-08", 0.5, int(c.onTarget), 20, c.drift)};
        EXPECT_EQ(sessionProgressPage(history, week).advice.rfind(c.begins, 0), 0u) << c.name;
    }
    EXPECT_EQ(sessionProgressPage(SessionDays{}, week).advice.rfind("No sessions", 0), 0u);
}

} // namespace
