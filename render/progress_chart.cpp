#include "render/progress_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace chart {

namespace {

constexpr int titleHeight = 16;
constexpr int scaleWidth = 34; // the scale's figures left of the plot
constexpr int datesHeight = 13;
constexpr int mark = 1; // a point is a square of 2 * mark + 1 pixels

// The smallest of 1, 2, 5 times a power of ten at or above `value`.
double roundUp(double value)
{
    if (!(value > 0))
        return 1;
    const double power = std::pow(10.0, std::floor(std::log10(value)));
    for (double step : {1.0, 2.0, 5.0, 10.0})
        if (step * power >= value * (1 - 1e-12))
            return step * power;
    return 10 * power;
}

std::string figureText(double value)
{
    char text[24];
    if (std::abs(value) >= 10 || value == std::floor(value))
        std::snprintf(text, sizeof text, "%.0f", value);
    else
        std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

// "12-07" of "2026-12-07" within a few months; the whole date over a year.
std::string dateLabel(const std::string& date, const Period& period)
{
    constexpr int daysWithoutYear = 90;
    return date.size() >= 10 && period.days <= daysWithoutYear ? date.substr(5, 5) : date;
}

struct Scale {
    double bottom, top;
};

Scale scaleOf(const Chart& chart)
{
    if (chart.most > chart.least)
        return {chart.least, chart.most};
    double highest = 0;
    for (const Point& p : chart.points) {
        highest = std::max(highest, chart.symmetric ? std::abs(p.value) : p.value);
        if (p.high)
            highest = std::max(highest, *p.high);
        if (chart.symmetric && p.low)
            highest = std::max(highest, std::abs(*p.low));
    }
    const double top = roundUp(highest);
    return {chart.symmetric ? -top : chart.least, top};
}

class Mapping {
public:
    Mapping(const QRect& plot, Scale scale, int days) : plot_(plot), scale_(scale), days_(days) {}

    int x(double day) const
    {
        // A point's mark stays inside the plot, also on its last day.
        const int x =
            plot_.left() + static_cast<int>(std::lround((day + 0.5) * plot_.width() / days_));
        return std::clamp(x, plot_.left() + mark, plot_.right() - mark);
    }
    int y(double value) const
    {
        const double share =
            std::clamp((value - scale_.bottom) / (scale_.top - scale_.bottom), 0.0, 1.0);
        return plot_.bottom() - static_cast<int>(std::lround(share * (plot_.height() - 1)));
    }
    int barWidth() const { return std::max(1, plot_.width() / days_ - 1); }

private:
    QRect plot_;
    Scale scale_;
    int days_;
};

void drawScale(gdi::Canvas& dc, const QRect& plot, const Chart& chart, Scale scale,
               const Mapping& map)
{
    const gdi::TextStyle figureStyle = chartText(11, faint, gdi::HAlign::Right);
    const double middle = (scale.bottom + scale.top) / 2;
    // A count has no half-way figure: 2.5 drills a day reads wrong.
    const bool countScale = chart.style == Style::Bars && middle != std::floor(middle);
    for (double level : {scale.bottom, middle, scale.top}) {
        const int y = map.y(level);
        dc.line(plot.left(), y, plot.right() + 1, y,
                gdi::Pen::solid(chart.symmetric && level == 0 ? faint : grid));
        if (countScale && level == middle)
            continue;
        std::string label = figureText(level);
        if (level == scale.top && !chart.unit.empty()) {
            // The unit follows the top figure where it fits, else it heads the plot.
            const std::string withUnit = label + " " + chart.unit;
            if (dc.textSize(withUnit, figureStyle.font).width() <= scaleWidth - 4)
                label = withUnit;
            else
                dc.text(plot.left() + 3, plot.top(), chart.unit, chartText(11, faint));
        }
        dc.text(plot.left() - 3, std::clamp(y - 6, plot.top() - 2, plot.bottom() - 9), label,
                figureStyle);
    }
}

void drawBand(gdi::Canvas& dc, const Chart& chart, const Mapping& map)
{
    for (std::size_t i = 0; i < chart.points.size(); ++i) {
        const Point& p = chart.points[i];
        if (!p.low || !p.high)
            continue;
        const int x = map.x(p.day);
        dc.line(x, map.y(*p.high), x, map.y(*p.low) + 1, gdi::Pen::solid(band, 2 * mark + 1));
        if (i + 1 < chart.points.size() && chart.style == Style::Line) {
            const Point& q = chart.points[i + 1];
            if (!q.low || !q.high)
                continue;
            const QPoint corners[4] = {{x, map.y(*p.high)},
                                       {map.x(q.day), map.y(*q.high)},
                                       {map.x(q.day), map.y(*q.low)},
                                       {x, map.y(*p.low)}};
            dc.polygon(corners, gdi::Pen::solid(band), gdi::Brush::solid(band));
        }
    }
}

void drawPoints(gdi::Canvas& dc, const QRect& plot, const Chart& chart, const Mapping& map)
{
    if (chart.style == Style::Bars) {
        const int width = map.barWidth();
        for (const Point& p : chart.points) {
            const int top = map.y(p.value);
            if (top < plot.bottom())
                dc.fill(map.x(p.day) - width / 2, top, width, plot.bottom() - top, data);
        }
        return;
    }
    if (chart.style == Style::Line && chart.points.size() > 1) {
        std::vector<QPoint> line;
        for (const Point& p : chart.points)
            line.emplace_back(map.x(p.day), map.y(p.value));
        dc.polyline(line, gdi::Pen::solid(data));
    }
    for (const Point& p : chart.points) {
        const int y = std::clamp(map.y(p.value), plot.top() + mark, plot.bottom() - mark);
        dc.fill(map.x(p.day) - mark, y - mark, 2 * mark + 1, 2 * mark + 1, data);
    }
}

} // namespace

gdi::TextStyle chartText(int height, gdi::Colour colour, gdi::HAlign align, int weight)
{
    gdi::TextStyle style;
    style.font.face = "Arial";
    style.font.height = height;
    style.font.weight = weight;
    style.colour = colour;
    style.hAlign = align;
    return style;
}

QRect plotArea(const QRect& area)
{
    return QRect(area.left() + scaleWidth, area.top() + titleHeight + 4,
                 area.width() - scaleWidth - 6, area.height() - titleHeight - 4 - datesHeight);
}

void drawChart(gdi::Canvas& dc, const QRect& area, const Chart& chart, const Period& period)
{
    dc.rectangle(area.left(), area.top(), area.right() + 1, area.bottom() + 1,
                 gdi::Pen::solid(frame), gdi::Brush::solid(paper));
    dc.text(area.left() + 6, area.top() + 3, chart.title,
            chartText(12, ink, gdi::HAlign::Left, 700));
    dc.text(area.right() - 5, area.top() + 3, chart.figure,
            chartText(12, data, gdi::HAlign::Right, 700));

    const QRect plot = plotArea(area);
    const int days = std::max(1, period.days);
    const Scale scale = scaleOf(chart);
    const Mapping map(plot, scale, days);
    drawScale(dc, plot, chart, scale, map);
    dc.text(plot.left(), plot.bottom() + 2, dateLabel(period.firstDate, period),
            chartText(11, faint));
    dc.text(plot.right(), plot.bottom() + 2, dateLabel(period.lastDate, period),
            chartText(11, faint, gdi::HAlign::Right));
    if (chart.points.empty()) {
        gdi::TextStyle style = chartText(12, faint, gdi::HAlign::Centre);
        dc.text(plot.center().x(), plot.center().y() - 6, chart.empty, style);
        return;
    }
    drawBand(dc, chart, map);
    drawPoints(dc, plot, chart, map);
}

gdi::Colour shareColour(double share)
{
    return share >= 0.8 ? good : share >= 0.5 ? fair : poor;
}

void drawRanking(gdi::Canvas& dc, const QRect& area, const Ranking& ranking)
{
    dc.rectangle(area.left(), area.top(), area.right() + 1, area.bottom() + 1,
                 gdi::Pen::solid(frame), gdi::Brush::solid(paper));
    dc.text(area.left() + 6, area.top() + 3, ranking.title,
            chartText(12, ink, gdi::HAlign::Left, 700));
    if (ranking.rows.empty()) {
        dc.text(area.center().x(), area.center().y() - 6, ranking.empty,
                chartText(12, faint, gdi::HAlign::Centre));
        return;
    }
    constexpr int labelWidth = 78, figureWidth = 52;
    const int rowHeight = std::min(18, (area.height() - titleHeight - 8) / kRankingRows);
    const int barLeft = area.left() + 6 + labelWidth;
    const int barSpan = area.width() - 12 - labelWidth - figureWidth;
    int y = area.top() + titleHeight + 6;
    for (std::size_t i = 0; i < ranking.rows.size() && i < std::size_t(kRankingRows); ++i) {
        const Ranking::Row& row = ranking.rows[i];
        dc.text(area.left() + 6, y + 1, row.label, chartText(12, ink));
        dc.fill(barLeft, y + 3, barSpan, rowHeight - 7, grid);
        const int width = static_cast<int>(std::lround(std::clamp(row.share, 0.0, 1.0) * barSpan));
        if (width > 0)
            dc.fill(barLeft, y + 3, width, rowHeight - 7, shareColour(row.share));
        dc.text(area.right() - 5, y + 1, row.figure, chartText(11, faint, gdi::HAlign::Right));
        y += rowHeight;
    }
}

} // namespace chart
