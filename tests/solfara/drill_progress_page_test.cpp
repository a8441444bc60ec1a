// solfara's Progress page made from a known history.
#include "solfara/drill_progress_page.h"

#include <gtest/gtest.h>

namespace {

const chart::Period week{7, "2026-12-02", "2026-12-08"};

DrillDay dayOf(const std::string& date, int drills, int notes, int firstTry, double seconds)
{
    DrillDay day;
    day.date = date;
    day.drills = drills;
    day.finished = drills;
    day.notes = notes;
    day.firstTry = firstTry;
    day.medianSecondsToNote = seconds;
    return day;
}

TEST(DrillProgressPage, EachDayInThePeriodIsAPointOfEveryChart)
{
    DrillProgress progress;
    progress.days = {dayOf("2026-11-30", 9, 90, 90, 1.0), // before the period
                     dayOf("2026-12-02", 2, 10, 5, 3.0), dayOf("2026-12-08", 4, 30, 27, 1.5)};
    const ProgressPage page = drillProgressPage(progress, week);
    ASSERT_EQ(page.charts.size(), 4u);
    const chart::Chart& drills = page.charts[0];
    const chart::Chart& firstTry = page.charts[1];
    ASSERT_EQ(drills.points.size(), 2u);
    EXPECT_EQ(drills.points[0].day, 0);
    EXPECT_EQ(drills.points[1].day, 6);
    EXPECT_EQ(drills.figure, "6 (6 finished)");
    ASSERT_EQ(firstTry.points.size(), 2u);
    EXPECT_DOUBLE_EQ(firstTry.points[0].value, 50);
    EXPECT_DOUBLE_EQ(firstTry.points[1].value, 90);
    EXPECT_EQ(firstTry.figure, "80 % (+40)");         // 32 of 40 notes; from 50 % to 90 %
    EXPECT_EQ(page.charts[2].figure, "2.2 s (-1.5)"); // the median of 3.0 and 1.5 s
    EXPECT_TRUE(page.charts[3].points.empty()) << "no cents measured";
}

TEST(DrillProgressPage, TheAdviceNamesWhatWentWorstOrHowToBegin)
{
    const struct {
        const char* name;
        std::vector<NoteKindResult> intervals, degrees;
        bool days;
        const char* advice;
    } cases[] = {
        {"nothing yet", {}, {}, false, "No drills in these days yet: sing one, and it shows here."},
        {"an interval and a degree",
         {{8, 10, 4}, {2, 10, 9}},
         {{10, 10, 6}},
         true,
         "Practise next: the m6 up, and degree b7 of the scale."},
        {"only a degree",
         {{2, 10, 9}},
         {{11, 10, 3}},
         true,
         "Practise next: degree 7 of the scale."},
        {"all well",
         {{2, 10, 9}},
         {{0, 10, 10}},
         true,
         "Every interval and degree comes right at the first try: try a harder level."},
    };
    for (const auto& c : cases) {
        DrillProgress progress;
        progress.intervals = c.intervals;
        progress.degrees = c.degrees;
        if (c.days)
            progress.days = {dayOf("2026-12-08", 1, 7, 5, 1)};
        const ProgressPage page = drillProgressPage(progress, week);
        EXPECT_EQ(page.advice, c.advice) << c.name;
        ASSERT_EQ(page.rankings.size(), 2u);
        EXPECT_EQ(page.rankings[0].rows.size(), c.intervals.size()) << c.name;
    }
}

} // namespace
