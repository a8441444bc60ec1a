#pragma once

#include "platform/gdi/canvas.h"
#include "render/colours.h"

// The answer-mode selector at the lower right of the main window: the underlined words
// "mic", "piano" and "guitar" one under the other. The pointer over it lights its word.

enum class ModeBand {
    None, // outside the selector, or on a row between two words
    Mic,
    Piano,
    Guitar,
};

// Strictly inside the selector's sensitive area.
bool modeSelectorContains(int x, int y);
// The word whose band holds the point; the rows exactly between two words, and any point
// outside the selector, select nothing.
ModeBand modeBandAt(int x, int y);

// The three words in colour 14, the one of `lit` in white.
void drawModeSelector(gdi::Canvas& dc, const ColourTable& colours, ModeBand lit = ModeBand::None);

// The selector's font: "Arial Narrow" 14 high, 6 wide, underlined.
gdi::FontSpec modeSelectorFont();
