#pragma once

#include "platform/gdi/canvas.h"
#include "render/colours.h"

#include <string>
#include <string_view>

// The second text line over the staves, naming the voice range and what kind of melody
// is shown: "Tenor - Algorithmic Melody", "... - transpose +2", "Bass - Custom Melody - Name".
std::string captionText(int drilltype, int range, int transpose, std::string_view melodyName);

void drawCaption(gdi::Canvas& dc, const ColourTable& colours, std::string_view text);
