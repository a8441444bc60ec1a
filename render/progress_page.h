#pragma once

#include "render/progress_chart.h"

#include <QPoint>
#include <QSize>

#include <array>
#include <optional>
#include <string>
#include <vector>

// The Progress window's one page: a title, the four periods to choose from,
// the charts two a row, then the rankings two a row, and one line of advice.

// The periods, in days, in the order of their tabs (keys 1 to 4).
inline constexpr std::array<int, 4> kProgressPeriods = {7, 30, 90, 365};
inline constexpr QSize kProgressPageSize{600, 450};

struct ProgressPage {
    std::string title = {};
    chart::Period period = {};
    std::vector<chart::Chart> charts = {};
    std::vector<chart::Ranking> rankings = {};
    std::string advice = {}; // what to practise next, or how to begin
};

// Draws the page over the whole canvas, the tab of `periodIndex` chosen.
void drawProgressPage(gdi::Canvas& dc, const ProgressPage& page, int periodIndex);

// The period whose tab is under `point`, if any.
std::optional<int> periodTabAt(QPoint point);
