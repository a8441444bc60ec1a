#include "render/cents_needle.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

using gdi::Pen;

namespace {

constexpr int scaleLeft = kNeedleLeft + 6;
constexpr int scaleRight = kNeedleLeft + kNeedleWidth - 6;
constexpr int scaleY = kNeedleTop + 27;       // the scale's line
constexpr int needleTop = kNeedleTop + 14;    // the needle reaches from here ...
constexpr int needleBottom = kNeedleTop + 31; // ... to here
constexpr gdi::Colour grey = gdi::rgb(128, 128, 128);

int xOfCents(double cents)
{
    const double reach = std::clamp(cents, -double(kNeedleRangeCents), double(kNeedleRangeCents));
    const double centre = (scaleLeft + scaleRight) / 2.0;
    return int(std::lround(centre + reach * (scaleRight - scaleLeft) / (2.0 * kNeedleRangeCents)));
}

std::string roundedCents(double cents)
{
    const int rounded = int(std::lround(cents));
    return rounded == 0 ? "0" : (rounded > 0 ? "+" : "") + std::to_string(rounded);
}

gdi::TextStyle smallText(gdi::Colour colour, gdi::HAlign align)
{
    gdi::TextStyle style;
    style.font = {
        .face = "Helv", .height = 8, .width = 5, .weight = 400, .family = gdi::FontFamily::Swiss};
    style.colour = colour;
    style.hAlign = align;
    return style;
}

} // namespace

gdi::Colour gradeColour(CentsGrade grade)
{
    switch (grade) {
    case CentsGrade::Within:
        return gdi::rgb(0, 128, 0);
    case CentsGrade::Near:
        return gdi::rgb(200, 120, 0);
    case CentsGrade::Off:
        break;
    }
    return gdi::rgb(192, 0, 0);
}

void drawCentsNeedle(gdi::Canvas& dc, const ColourTable& colours, std::optional<double> cents,
                     std::optional<int> toleranceCents)
{
    dc.fill(kNeedleLeft, kNeedleTop, kNeedleWidth, kNeedleHeight, colours[colour::panel]);
    // The band a held note must lie in (with "Any", the band the colours grade against).
    const int band = toleranceCents.value_or(kAnyToleranceGradeCents);
    const gdi::Colour bandColour =
        toleranceCents ? gdi::rgb(176, 216, 176) : gdi::rgb(208, 216, 208);
    dc.fill(xOfCents(-band), scaleY - 3, xOfCents(band) - xOfCents(-band) + 1, 4, bandColour);
    dc.line(scaleLeft, scaleY, scaleRight + 1, scaleY, Pen::solid(colours[colour::text]));
    for (int tick : {-50, -25, 0, 25, 50}) {
        const int x = xOfCents(tick);
        dc.line(x, scaleY, x, scaleY + (tick == 0 ? 5 : 3), Pen::solid(colours[colour::text]));
    }
    const gdi::TextStyle label = smallText(colours[colour::text], gdi::HAlign::Left);
    dc.text(scaleLeft - 2, kNeedleTop + 1, "cents", label);
    if (!cents) {
        dc.text(scaleRight + 2, kNeedleTop + 1, "-", smallText(grey, gdi::HAlign::Right));
        return;
    }
    const gdi::Colour colour = gradeColour(gradeCents(*cents, toleranceCents));
    const int x = xOfCents(*cents);
    dc.rectangle(x - 1, needleTop, x + 2, needleBottom, Pen::none(), gdi::Brush::solid(colour));
    // Beyond the scale the needle is pinned, with an arrowhead pointing on.
    if (std::abs(*cents) > kNeedleRangeCents) {
        const int side = *cents > 0 ? 1 : -1;
        for (int i = 0; i < 4; ++i)
            dc.line(x + side * (2 + i), needleTop + i, x + side * (2 + i), needleTop + 7 - i,
                    Pen::solid(colour));
    }
    // Beyond the scale the figure says only which way: another note is being sung.
    const std::string figure = *cents > kNeedleRangeCents    ? "> +50"
                               : *cents < -kNeedleRangeCents ? "< -50"
                                                             : roundedCents(*cents);
    dc.text(scaleRight + 2, kNeedleTop + 1, figure, smallText(colour, gdi::HAlign::Right));
}

void drawNoteCents(gdi::Canvas& dc, const ColourTable& colours, int markerX, double cents,
                   std::optional<int> toleranceCents)
{
    const int x = markerX - 8; // the column's cursor line
    dc.fill(x - 14, 370, 29, 14, colours[colour::panel]);
    dc.text(x, 371, roundedCents(cents),
            smallText(gradeColour(gradeCents(cents, toleranceCents)), gdi::HAlign::Centre));
}
