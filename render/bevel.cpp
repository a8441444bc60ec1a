#include "render/bevel.h"

#include <QPoint>

void bevelTopLeft(gdi::Canvas& dc, const ColourTable& colours, int left, int top, int right,
                  int bottom, int firstColour, int band)
{
    for (int k = 0; k < 4; ++k) {
        const int d = k * band;
        const gdi::Pen pen = gdi::Pen::solid(colours[firstColour + k]);
        const QPoint outer[] = {{left + d, bottom - d}, {left + d, top + d}, {right - d, top + d}};
        dc.polyline(outer, pen);
        const QPoint inner[] = {{left + d + 1, bottom - d - 1},
                                {left + d + 1, top + d + 1},
                                {right - d - 1, top + d + 1}};
        dc.polyline(inner, pen);
    }
}

void bevelBottomRight(gdi::Canvas& dc, const ColourTable& colours, int left, int top, int right,
                      int bottom, int firstColour, int band)
{
    for (int k = 0; k < 4; ++k) {
        const int d = k * band;
        const gdi::Pen pen = gdi::Pen::solid(colours[firstColour + 3 - k]);
        const QPoint outer[] = {
            {left + d, bottom - d}, {right - d - 1, bottom - d}, {right - d - 1, top + d}};
        dc.polyline(outer, pen);
        const QPoint inner[] = {{left + d + 1, bottom - d - 1},
                                {right - d - 2, bottom - d - 1},
                                {right - d - 2, top + d + 1}};
        dc.polyline(inner, pen);
    }
}
