#include "render/caption.h"

#include "render/staff_layout.h"

void drawCaption(gdi::Canvas& dc, const ColourTable& colours, std::string_view text)
{
    gdi::TextStyle style;
    style.font = {.face = "Elite",
                  .height = 14,
                  .width = 5,
                  .weight = 100,
                  .family = gdi::FontFamily::Modern};
    style.colour = colours[colour::text];
    style.hAlign = gdi::HAlign::Centre;
    dc.text(240, layoutTop + 35, text, style);
}
