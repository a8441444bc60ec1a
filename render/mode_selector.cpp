#include "render/mode_selector.h"

#include "render/layout_top.h"

namespace {

constexpr int selectorX = 468;
constexpr int micRow = layoutTop + 366;
constexpr int pianoRow = layoutTop + 378;
constexpr int guitarRow = layoutTop + 390;
constexpr int selectorBottom = layoutTop + 402;
constexpr int selectorRight = 498;
constexpr int wordColour = 14;

} // namespace

gdi::FontSpec modeSelectorFont()
{
    return {.face = "Arial Narrow", .height = 14, .width = 6, .weight = 400, .underline = true};
}

bool modeSelectorContains(int x, int y)
{
    return selectorX < x && x < selectorRight && micRow < y && y < selectorBottom;
}

ModeBand modeBandAt(int x, int y)
{
    if (!modeSelectorContains(x, y))
        return ModeBand::None;
    if (y < pianoRow)
        return ModeBand::Mic;
    if (pianoRow < y && y < guitarRow)
        return ModeBand::Piano;
    if (y > guitarRow)
        return ModeBand::Guitar;
    return ModeBand::None;
}

void drawModeSelector(gdi::Canvas& dc, const ColourTable& colours, ModeBand lit)
{
    const struct {
        const char* word;
        int y;
        ModeBand band;
    } words[] = {{"mic", micRow, ModeBand::Mic},
                 {"piano", pianoRow, ModeBand::Piano},
                 {"guitar", guitarRow, ModeBand::Guitar}};
    gdi::TextStyle style;
    style.font = modeSelectorFont();
    for (const auto& w : words) {
        style.colour = w.band == lit ? gdi::white : colours[wordColour];
        dc.text(selectorX, w.y, w.word, style);
    }
}
