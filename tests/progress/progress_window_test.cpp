// The Progress window as the keyboard and the mouse work it.
#include "progress/progress_period.h"
#include "progress/progress_window.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <vector>

namespace {

class ProgressWindowTest : public testing::Test {
protected:
    std::vector<int> asked; // the periods the page was made for
    QWidget owner;
    ProgressWindow* window = new ProgressWindow(
        "Progress",
        [this](int days) {
            asked.push_back(days);
            return ProgressPage{.title = "Progress"};
        },
        &owner);

    void press(int key)
    {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &event);
    }
};

TEST_F(ProgressWindowTest, KeysChooseThePeriodAndEachChoiceReadsThePageAfresh)
{
    window->present(1);
    EXPECT_EQ(asked, std::vector<int>{30}) << "it opens on 30 days";
    const struct {
        int key;
        int days;
    } steps[] = {{Qt::Key_1, 7},    {Qt::Key_4, 365},   {Qt::Key_Left, 90},   {Qt::Key_Home, 7},
                 {Qt::Key_Left, 7}, {Qt::Key_End, 365}, {Qt::Key_Right, 365}, {Qt::Key_F5, 365}};
    for (const auto& step : steps) {
        press(step.key);
        EXPECT_EQ(kProgressPeriods[std::size_t(window->periodIndex())], step.days) << step.key;
    }
    // Choosing the period in force again (Left at 7, Right at 365) reads nothing.
    EXPECT_EQ(asked, (std::vector<int>{30, 7, 365, 90, 7, 365, 365}));
    press(Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(ProgressWindowTest, AClickOnATabChoosesItsPeriodAtEveryScale)
{
    for (int scale : {1, 2, 3}) {
        window->present(scale);
        EXPECT_EQ(window->size(), kProgressPageSize * scale / window->devicePixelRatioF());
        // The tab of 90 days, found in drawn coordinates and clicked in the window's.
        QPoint tab;
        for (int x = 0; x < kProgressPageSize.width() && tab.isNull(); ++x)
            if (periodTabAt({x, 12}) == 2)
                tab = {x + 3, 12};
        const QPoint at = window->toWidget(QRect(tab, QSize(1, 1))).topLeft();
        QMouseEvent click(QEvent::MouseButtonPress, at, window->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &click);
        EXPECT_EQ(window->periodIndex(), 2) << scale;
        window->close();
        press(Qt::Key_2);
    }
}

TEST(ProgressPeriod, DaysArePlacedFromThePeriodsFirstDay)
{
    const chart::Period week{7, "2026-12-02", "2026-12-08"};
    EXPECT_EQ(dayInPeriod(week, "2026-12-02"), 0);
    EXPECT_EQ(dayInPeriod(week, "2026-12-08"), 6);
    EXPECT_FALSE(dayInPeriod(week, "2026-12-09"));
    EXPECT_FALSE(dayInPeriod(week, "2026-12-01"));
    EXPECT_FALSE(dayInPeriod(week, "2026-13-01"));
    const chart::Period spanningNewYear{30, "2026-12-20", "2027-01-18"};
    EXPECT_EQ(dayInPeriod(spanningNewYear, "2027-01-01"), 12);
    EXPECT_EQ(changeOverPeriod({50, 60, 70, 80}, 0), " (+20)");
    EXPECT_EQ(changeOverPeriod({2.0, 1.5}, 1), " (-0.5)");
    EXPECT_EQ(changeOverPeriod({3, 3}, 0), " (=)");
    EXPECT_EQ(changeOverPeriod({3}, 0), "");
}

TEST(ProgressPeriod, APageTellsOfDamagedLinesAndOfAHistoryThatCannotBeRead)
{
    struct History {
        int damaged = 0;
    };
    const auto make = [](const History&, const chart::Period&) {
        return ProgressPage{.advice = "Keep going."};
    };
    const chart::Period week{7, "2026-12-02", "2026-12-08"};
    EXPECT_EQ(pageOfHistory(Result<History>(History{0}), week, make).advice, "Keep going.");
    EXPECT_EQ(pageOfHistory(Result<History>(History{3}), week, make).advice,
              "Keep going.  (3 damaged lines skipped)");
    const Result<History> unreadable = Status::failure("Cannot read notes.tsv: Permission denied");
    EXPECT_EQ(pageOfHistory(unreadable, week, make).advice,
              "The practice history cannot be read: Cannot read notes.tsv: Permission denied");
}

} // namespace
