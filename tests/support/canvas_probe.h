#pragma once

#include "render/colours.h"
#include "render/note_bitmaps.h"

#include "platform/gdi/canvas.h"
#include "tests/support/pixel_count.h"

#include <QImage>

#include <gtest/gtest.h>

// A window-sized canvas filled with a colour no drawing uses, with the colour table, the
// glyph bitmaps and small pixel probes for tests of the drawing routines.
struct RenderTest : testing::Test {
    static constexpr gdi::Colour untouched = gdi::rgb(1, 2, 3);
    QImage image{500, 494, QImage::Format_RGB32};
    gdi::Canvas dc{image};
    ColourTable colours = fillColours();
    NoteBitmaps art = loadNoteBitmaps();
    RenderTest() { clear(); }

    void clear(gdi::Colour c = untouched) { image.fill(c); }

    int count(int x, int y, int w, int h, gdi::Colour c) const
    {
        return countPixels(dc, x, y, w, h, c);
    }

    // Whether every black pixel of the glyph (its first `rows` rows) is black on the canvas
    // with the glyph's origin at (x, y).
    bool showsGlyph(const QImage& glyph, int x, int y, int rows = 1000) const
    {
        int black = 0;
        for (int j = 0; j < rows && j < glyph.height(); ++j)
            for (int i = 0; i < glyph.width(); ++i)
                if ((glyph.pixel(i, j) & 0xffffff) == 0) {
                    ++black;
                    if (dc.pixel(x + i, y + j) != gdi::black)
                        return false;
                }
        return black > 0;
    }
};
