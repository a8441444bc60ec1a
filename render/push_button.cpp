#include "render/push_button.h"

#include "render/bevel.h"

using gdi::Brush;
using gdi::Pen;

gdi::FontSpec buttonLabelFont()
{
    return {
        .face = "Helv", .height = 14, .width = 8, .weight = 400, .family = gdi::FontFamily::Swiss};
}

void PushButton::drawRaised(gdi::Canvas& dc, const ColourTable& colours) const
{
    const int f = faceColour;
    dc.rectangle(left, top, left + width + 1, top + height + 1,
                 Pen::solid(colours[colour::buttonOutline]), Brush::solid(colours[f]));
    bevelTopLeft(dc, colours, left + 1, top + 1, left + width - 1, top + height - 1, f - 3, 2);
    bevelBottomRight(dc, colours, left + 1, top + 1, left + width + 1, top + height + 1, f, 2);
}

void PushButton::drawPressed(gdi::Canvas& dc, const ColourTable& colours)
{
    dc.rectangle(left, top, left + width + 1, top + height + 1,
                 Pen::solid(colours[colour::buttonOutline]), Brush::none());
    dc.rectangle(left + 1, top + 1, left + width, top + height,
                 Pen::solid(colours[colour::pressedOutline]), Brush::none());
    pressed = 1;
}

void PushButton::drawLabel(gdi::Canvas& dc, const ColourTable& colours, std::string_view text,
                           int colourIndex) const
{
    drawLabel(dc, text, colours[colourIndex]);
}

void PushButton::drawLabel(gdi::Canvas& dc, std::string_view text, gdi::Colour colour) const
{
    gdi::TextStyle style;
    style.font = buttonLabelFont();
    style.colour = colour;
    style.hAlign = gdi::HAlign::Centre;
    dc.text(left + width / 2, top + 8, text, style);
}

void drawCloseGlyph(gdi::Canvas& dc, const ColourTable& colours, const PushButton& box)
{
    gdi::TextStyle style;
    style.font = buttonLabelFont();
    style.colour = colours[colour::paper];
    style.hAlign = gdi::HAlign::Centre;
    dc.text(box.left + 7, box.top, "X", style);
}

void drawMinimizeGlyph(gdi::Canvas& dc, const ColourTable& colours, const PushButton& box)
{
    dc.line(box.left + 2, box.top + 6, box.left + 12, box.top + 6,
            Pen::solid(colours[colour::paper]));
}
