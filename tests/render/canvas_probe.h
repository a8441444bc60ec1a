#pragma once

#include "platform/gdi/canvas.h"

#include <QImage>

// Small helpers for pixel tests of the drawing routines.
struct CanvasProbe {
    const gdi::Canvas& dc;

    // Number of pixels of colour c in the rectangle x..x+w-1, y..y+h-1.
    int count(int x, int y, int w, int h, gdi::Colour c) const
    {
        int n = 0;
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i)
                n += dc.pixel(i, j) == c;
        return n;
    }

    // Whether every black pixel of the glyph (first w x h pixels) is black on the canvas
    // with the glyph's origin at (x, y).
    bool showsGlyph(const QImage& glyph, int x, int y, int w, int h) const
    {
        int black = 0;
        for (int j = 0; j < h && j < glyph.height(); ++j)
            for (int i = 0; i < w && i < glyph.width(); ++i)
                if ((glyph.pixel(i, j) & 0xffffff) == 0) {
                    ++black;
                    if (dc.pixel(x + i, y + j) != gdi::black)
                        return false;
                }
        return black > 0;
    }
};
