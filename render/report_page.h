#pragma once

#include "music/cents_grade.h"
#include "platform/gdi/canvas.h"

#include <optional>
#include <string>
#include <vector>

// A page of figures in a table: a title, the column heads, one row a line,
// and lines of summary under it. A cell that holds cents is coloured by its
// grade against the page's tolerance.
struct ReportCell {
    std::string text;
    std::optional<double> cents = {}; // grades the cell's colour
};

struct ReportPage {
    std::string title;
    std::vector<std::string> heads;
    std::vector<std::vector<ReportCell>> rows;
    std::vector<std::string> summary;
    std::optional<int> toleranceCents = {};
    std::string emptyText; // shown in place of the table without rows
};

// The page's drawn size for `page` (its rows decide the height).
inline constexpr int kReportPageWidth = 360;
int reportPageHeight(const ReportPage& page);

void drawReportPage(gdi::Canvas& dc, const ReportPage& page);
