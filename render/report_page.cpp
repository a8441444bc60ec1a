#include "render/report_page.h"

#include "render/cents_needle.h"

namespace {

constexpr int margin = 12;
constexpr int titleHeight = 26;
constexpr int rowHeight = 17;
constexpr int columnWidth = (kReportPageWidth - 2 * margin) / 6;
constexpr gdi::Colour paper = gdi::rgb(250, 250, 244);
constexpr gdi::Colour ink = gdi::rgb(32, 32, 48);
constexpr gdi::Colour rule = gdi::rgb(176, 176, 168);

gdi::TextStyle textStyle(gdi::Colour colour, int height, int weight, gdi::HAlign align)
{
    gdi::TextStyle style;
    style.font = {
        .face = "Helv", .height = height, .weight = weight, .family = gdi::FontFamily::Swiss};
    style.colour = colour;
    style.hAlign = align;
    return style;
}

int tableRows(const ReportPage& page)
{
    return page.rows.empty() ? 1 : int(page.rows.size()) + 1;
}

} // namespace

int reportPageHeight(const ReportPage& page)
{
    return titleHeight + rowHeight * (tableRows(page) + int(page.summary.size())) + 2 * margin;
}

void drawReportPage(gdi::Canvas& dc, const ReportPage& page)
{
    dc.fill(0, 0, kReportPageWidth, reportPageHeight(page), paper);
    dc.text(margin, margin, page.title, textStyle(ink, 16, 700, gdi::HAlign::Left));
    int y = margin + titleHeight;
    if (page.rows.empty()) {
        dc.text(margin, y, page.emptyText, textStyle(ink, 13, 400, gdi::HAlign::Left));
        y += rowHeight;
    } else {
        // The first column (the note) on the left, the figures right-aligned.
        auto cellX = [](std::size_t c) {
            return c == 0 ? margin : margin + columnWidth * int(c + 1) - 6;
        };
        auto align = [](std::size_t c) { return c == 0 ? gdi::HAlign::Left : gdi::HAlign::Right; };
        for (std::size_t c = 0; c < page.heads.size(); ++c)
            dc.text(cellX(c), y, page.heads[c], textStyle(ink, 13, 700, align(c)));
        y += rowHeight;
        dc.line(margin, y - 2, kReportPageWidth - margin, y - 2, gdi::Pen::solid(rule));
        for (const std::vector<ReportCell>& row : page.rows) {
            for (std::size_t c = 0; c < row.size(); ++c) {
                const gdi::Colour colour =
                    row[c].cents ? gradeColour(gradeCents(*row[c].cents, page.toleranceCents))
                                 : ink;
                dc.text(cellX(c), y, row[c].text, textStyle(colour, 13, 400, align(c)));
            }
            y += rowHeight;
        }
    }
    dc.line(margin, y + 2, kReportPageWidth - margin, y + 2, gdi::Pen::solid(rule));
    y += 6;
    for (const std::string& line : page.summary) {
        dc.text(margin, y, line, textStyle(ink, 13, 400, gdi::HAlign::Left));
        y += rowHeight;
    }
}
