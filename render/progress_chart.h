#pragma once

#include "platform/gdi/canvas.h"

#include <QRect>

#include <optional>
#include <string>
#include <vector>

// The plots of the Progress window, drawn through the Canvas: a period of days
// along x, one figure up y; and a ranking of the kinds of note that went worst.
// Aliased and on whole pixels, so they stay crisp at every window scale, and
// readable with one day of figures as with a year of them.
namespace chart {

struct Point {
    // Days from the period's first day (0) to its last (days - 1); a fraction
    // places one session within its day.
    double day = 0;
    double value = 0;
    std::optional<double> low = {}, high = {}; // a band around the value (its spread), if any
};

enum class Style {
    Bars, // one bar a day, from the bottom of the scale
    Line, // the points joined in order, each marked
    Dots, // the points alone (one for each session)
};

struct Chart {
    std::string title = {};
    std::string figure = {}; // the period's own figure, right of the title ("78 %")
    Style style = Style::Line;
    std::vector<Point> points = {}; // in day order
    double least = 0;               // the scale: from `least` to `most`,
    double most = 0;                // or, with `most` 0, to a round figure above the data
    bool symmetric = false;         // the scale runs from -top to +top with a line at 0
    std::string unit = {};          // after the top figure of the scale ("%", "s")
    std::string empty = "Nothing practised in these days"; // said without points
};

// Kinds of note (intervals, scale degrees) with the share right at the first try.
struct Ranking {
    struct Row {
        std::string label = {};  // "m6 up"
        double share = 0;        // right at the first try, 0..1
        std::string figure = {}; // "3 of 9"
    };
    std::string title = {};
    std::vector<Row> rows = {}; // worst first; at most `kRankingRows` are drawn
    std::string empty = {};     // said when there are no rows
};
inline constexpr int kRankingRows = 5;

// The period a chart spans.
struct Period {
    int days = 7;
    std::string firstDate = {}; // YYYY-MM-DD, written under the first day
    std::string lastDate = {};  // ... under the last
};

inline constexpr gdi::Colour paper = gdi::rgb(252, 252, 250);
inline constexpr gdi::Colour frame = gdi::rgb(192, 192, 192);
inline constexpr gdi::Colour grid = gdi::rgb(226, 226, 226);
inline constexpr gdi::Colour ink = gdi::rgb(40, 40, 40);
inline constexpr gdi::Colour faint = gdi::rgb(110, 110, 110);
inline constexpr gdi::Colour data = gdi::rgb(24, 72, 160);
inline constexpr gdi::Colour band = gdi::rgb(196, 210, 238);
inline constexpr gdi::Colour good = gdi::rgb(40, 140, 60);
inline constexpr gdi::Colour fair = gdi::rgb(214, 150, 20);
inline constexpr gdi::Colour poor = gdi::rgb(196, 48, 40);

// The text of the charts and the page: Arial of `height` pixels.
gdi::TextStyle chartText(int height, gdi::Colour colour, gdi::HAlign align = gdi::HAlign::Left,
                         int weight = 400);

// Where the plot proper lies within a chart's area: the title above it, the
// scale's figures left of it, the dates under it.
QRect plotArea(const QRect& area);

void drawChart(gdi::Canvas& dc, const QRect& area, const Chart& chart, const Period& period);
void drawRanking(gdi::Canvas& dc, const QRect& area, const Ranking& ranking);

// The colour of a share right at the first try: good from 80 %, fair from 50 %.
gdi::Colour shareColour(double share);

} // namespace chart
