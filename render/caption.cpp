#include "render/caption.h"

#include "music/vocabulary.h"
#include "music/voice_ranges.h"
#include "render/staff_layout.h"

#include <algorithm>

std::string captionText(int drilltype, int range, int transpose, std::string_view melodyName)
{
    const std::string rangeName(rangeNames[std::clamp(range, 0, kRangeCount - 1)]);
    if (drilltype == 1) {
        if (transpose == kNoTranspose || transpose < 0 || transpose >= kTransposeCount)
            return rangeName + " - Algorithmic Melody";
        return rangeName + " - Algorithmic Melody - transpose " + transposeNames()[transpose];
    }
    return rangeName + " - Custom Melody - " + std::string(melodyName);
}

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
