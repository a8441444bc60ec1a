#pragma once

#include "platform/gdi/canvas.h"
#include "render/colours.h"

#include <string_view>

// The second text line over the staves, naming the melody in use (its text is
// melodyTitle()'s): centred at (240, layoutTop + 35) in "Elite".
void drawCaption(gdi::Canvas& dc, const ColourTable& colours, std::string_view text);
