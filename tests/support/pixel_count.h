#pragma once

#include "platform/gdi/canvas.h"

// Number of pixels of colour c in the rectangle x..x+w-1, y..y+h-1 of the canvas.
inline int countPixels(const gdi::Canvas& dc, int x, int y, int w, int h, gdi::Colour c)
{
    int n = 0;
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            n += dc.pixel(i, j) == c;
    return n;
}
