#pragma once

#include "platform/gdi/canvas.h"
#include "render/colours.h"

// Four nested bands of colours firstColour .. firstColour + 3 (outermost first) along the
// left and top edges of the box; each band is `band` pixels wide (two 1-pixel lines).
void bevelTopLeft(gdi::Canvas& dc, const ColourTable& colours, int left, int top, int right,
                  int bottom, int firstColour, int band);

// Four nested bands along the bottom and right edges; the outermost has colour
// firstColour + 3 and the innermost firstColour.
void bevelBottomRight(gdi::Canvas& dc, const ColourTable& colours, int left, int top, int right,
                      int bottom, int firstColour, int band);
