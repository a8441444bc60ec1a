#include "render/progress_page.h"

#include <algorithm>

namespace {

constexpr int margin = 10;
constexpr int headerHeight = 32;
constexpr int adviceHeight = 24;
constexpr int tabWidth = 64, tabHeight = 20, tabGap = 4, tabTop = 6;
constexpr int gap = 8; // between the boxes

QRect tabRect(int index)
{
    const int left = kProgressPageSize.width() - margin -
                     int(kProgressPeriods.size()) * (tabWidth + tabGap) + tabGap;
    return QRect(left + index * (tabWidth + tabGap), tabTop, tabWidth, tabHeight);
}

void drawTabs(gdi::Canvas& dc, int chosen)
{
    for (int i = 0; i < int(kProgressPeriods.size()); ++i) {
        const QRect r = tabRect(i);
        const bool on = i == chosen;
        dc.rectangle(r.left(), r.top(), r.right() + 1, r.bottom() + 1,
                     gdi::Pen::solid(on ? chart::data : chart::frame),
                     gdi::Brush::solid(on ? chart::data : chart::paper));
        // The key that chooses it stands before the period: "1  7 days".
        const std::string label = std::to_string(i + 1) + "  " +
                                  std::to_string(kProgressPeriods[std::size_t(i)]) + " days";
        dc.text(r.center().x(), r.top() + 4, label,
                chart::chartText(11, on ? gdi::white : chart::ink, gdi::HAlign::Centre,
                                 on ? 700 : 400));
    }
}

} // namespace

void drawProgressPage(gdi::Canvas& dc, const ProgressPage& page, int periodIndex)
{
    dc.fill(0, 0, dc.width(), dc.height(), gdi::rgb(236, 236, 232));
    dc.text(margin, 9, page.title, chart::chartText(15, chart::ink, gdi::HAlign::Left, 700));
    drawTabs(dc, periodIndex);

    const int rows = int(page.charts.size() + 1) / 2 + int(page.rankings.size() + 1) / 2;
    const int width = (kProgressPageSize.width() - 2 * margin - gap) / 2;
    const int height =
        rows == 0
            ? 0
            : (kProgressPageSize.height() - headerHeight - adviceHeight - (rows - 1) * gap) / rows;
    const auto box = [&](int index) {
        return QRect(margin + (index % 2) * (width + gap),
                     headerHeight + (index / 2) * (height + gap), width, height);
    };
    int index = 0;
    for (const chart::Chart& c : page.charts)
        chart::drawChart(dc, box(index++), c, page.period);
    index += index % 2; // the rankings start a row of their own
    for (const chart::Ranking& r : page.rankings)
        chart::drawRanking(dc, box(index++), r);
    dc.text(margin, kProgressPageSize.height() - adviceHeight + 5, page.advice,
            chart::chartText(12, chart::ink, gdi::HAlign::Left));
}

std::optional<int> periodTabAt(QPoint point)
{
    for (int i = 0; i < int(kProgressPeriods.size()); ++i)
        if (tabRect(i).contains(point))
            return i;
    return std::nullopt;
}
