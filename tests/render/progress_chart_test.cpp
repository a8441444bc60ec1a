// The Progress window's charts, pixel by pixel on a small known data set.
#include "render/progress_chart.h"
#include "render/progress_page.h"
#include "tests/support/pixel_count.h"

#include <gtest/gtest.h>

namespace {

using chart::Chart;
using chart::Point;

class ChartPixels : public testing::Test {
protected:
    QImage image{300, 140, QImage::Format_RGB32};
    gdi::Canvas dc{image};
    const QRect area{0, 0, 300, 140};
    const QRect plot = chart::plotArea(area);

    void draw(const Chart& c, int days = 7)
    {
        chart::drawChart(dc, area, c, {days, "2026-12-02", "2026-12-08"});
    }
    // The data pixels in one column of the plot.
    int dataIn(int x) const
    {
        return countPixels(dc, x, plot.top(), 1, plot.height(), chart::data);
    }
    int dataOutsidePlot() const
    {
        return countPixels(dc, 0, 0, image.width(), image.height(), chart::data) -
               countPixels(dc, plot.left(), plot.top(), plot.width(), plot.height(), chart::data);
    }
    // The plot column at the middle of day `day` of a period of `days`.
    int columnOf(double day, int days = 7) const
    {
        return plot.left() + int(std::lround((day + 0.5) * plot.width() / days));
    }
};

TEST_F(ChartPixels, ABarRisesToItsShareOfARoundScaleAboveTheData)
{
    // 4 and 2 drills: the scale runs to 5, so the bars fill 4/5 and 2/5 of it.
    Chart c{.title = "Drills a day", .style = chart::Style::Bars};
    c.points = {{.day = 0, .value = 4}, {.day = 6, .value = 2}};
    draw(c);
    const int span = plot.height() - 1;
    EXPECT_EQ(dataIn(columnOf(0)), int(std::lround(0.8 * span)));
    EXPECT_EQ(dataIn(columnOf(6)), int(std::lround(0.4 * span)));
    EXPECT_EQ(dataIn(columnOf(3)), 0) << "a day without drills has no bar";
    EXPECT_EQ(dataOutsidePlot(), 0);
}

TEST_F(ChartPixels, OneDayOfFiguresIsMarkedVisibly)
{
    Chart c{.title = "Right at the first try", .most = 100, .unit = "%"};
    c.points = {{.day = 6, .value = 50}};
    draw(c);
    const int x = columnOf(6);
    const int y = plot.bottom() - int(std::lround(0.5 * (plot.height() - 1)));
    EXPECT_EQ(countPixels(dc, x - 1, y - 1, 3, 3, chart::data), 9) << "a 3 x 3 mark";
}

TEST_F(ChartPixels, AYearOfDailyFiguresStaysInsideThePlot)
{
    Chart c{.title = "Time to sing a note", .unit = "s"};
    for (int day = 0; day < 365; ++day)
        c.points.push_back({.day = double(day), .value = 1 + (day % 9) * 0.3});
    draw(c, 365);
    EXPECT_GT(countPixels(dc, plot.left(), plot.top(), plot.width(), plot.height(), chart::data),
              plot.width());
    EXPECT_EQ(dataOutsidePlot(), 0);
}

TEST_F(ChartPixels, TheSpreadIsABandFromItsLowToItsHighFigure)
{
    Chart c{.title = "Cents off", .most = 50, .unit = "c"};
    c.points = {{.day = 2, .value = 20, .low = 10, .high = 30}};
    draw(c);
    const int x = columnOf(2);
    const auto yOf = [&](double v) {
        return plot.bottom() - int(std::lround(v / 50 * (plot.height() - 1)));
    };
    // The band spans 10..30 cents; the value's mark sits on it.
    EXPECT_EQ(dc.pixel(x - 1, yOf(25)), chart::band);
    EXPECT_EQ(dc.pixel(x - 1, yOf(12)), chart::band);
    EXPECT_NE(dc.pixel(x - 1, yOf(35)), chart::band);
    EXPECT_NE(dc.pixel(x - 1, yOf(5)), chart::band);
    EXPECT_EQ(dc.pixel(x, yOf(20)), chart::data);
}

TEST_F(ChartPixels, ASignedScaleIsCentredOnALineAtZero)
{
    Chart c{.title = "Drift", .style = chart::Style::Dots, .symmetric = true};
    c.points = {{.day = 1, .value = -1.5}, {.day = 5, .value = 0.8}};
    draw(c);
    // The scale is -2..2: zero half-way, the slower session below it.
    const int zero = plot.bottom() - int(std::lround(0.5 * (plot.height() - 1)));
    EXPECT_EQ(dc.pixel(columnOf(3), zero), chart::faint);
    int lowest = 0;
    for (int y = plot.top(); y <= plot.bottom(); ++y)
        if (dc.pixel(columnOf(1), y) == chart::data)
            lowest = y;
    EXPECT_GT(lowest, zero);
}

TEST_F(ChartPixels, AChartWithoutFiguresSaysSoAndDrawsNoData)
{
    draw(Chart{.title = "Cents off", .empty = "No notes measured in cents yet"});
    EXPECT_EQ(countPixels(dc, 0, 0, image.width(), image.height(), chart::data), 0);
    EXPECT_GT(countPixels(dc, plot.left(), plot.center().y() - 8, plot.width(), 16, chart::faint),
              20);
}

TEST(RankingPixels, EachBarShowsItsShareInTheColourOfItsGrade)
{
    QImage image(300, 130, QImage::Format_RGB32);
    gdi::Canvas dc(image);
    chart::Ranking r{.title = "Hardest intervals"};
    const double shares[] = {0.25, 0.6, 0.9, 1, 1, 1, 1};
    for (double share : shares)
        r.rows.push_back({"m6 up", share, "1 of 4"});
    chart::drawRanking(dc, QRect(0, 0, 300, 130), r);
    EXPECT_EQ(chart::shareColour(0.25), chart::poor);
    EXPECT_EQ(chart::shareColour(0.6), chart::fair);
    EXPECT_EQ(chart::shareColour(0.9), chart::good);
    const int poor = countPixels(dc, 0, 0, 300, 130, chart::poor);
    const int fair = countPixels(dc, 0, 0, 300, 130, chart::fair);
    const int good = countPixels(dc, 0, 0, 300, 130, chart::good);
    // Bars of one height: their areas stand as their shares; only five rows are drawn.
    EXPECT_NEAR(double(fair) / poor, 0.6 / 0.25, 0.1);
    EXPECT_NEAR(double(good) / poor, (0.9 + 1 + 1) / 0.25, 0.3);
}

TEST(ProgressPagePixels, TheChosenPeriodsTabIsFilledAndTabsAreFoundByPoint)
{
    QImage image(kProgressPageSize, QImage::Format_RGB32);
    gdi::Canvas dc(image);
    drawProgressPage(dc, ProgressPage{.title = "Progress"}, 2);
    int chosen = -1;
    for (int i = 0; i < 4; ++i) {
        QPoint inside;
        for (int x = 0; x < image.width() && inside.isNull(); ++x)
            for (int y = 0; y < 32 && inside.isNull(); ++y)
                if (periodTabAt({x, y}) == i)
                    inside = {x, y};
        ASSERT_FALSE(inside.isNull()) << i;
        if (dc.pixel(inside.x() + 1, inside.y() + 1) == chart::data)
            chosen = i;
    }
    EXPECT_EQ(chosen, 2);
    EXPECT_FALSE(periodTabAt({5, 5}));
}

} // namespace
