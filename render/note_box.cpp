#include "render/note_box.h"

using gdi::Brush;
using gdi::Pen;

void NoteBox::drawBox(gdi::Canvas& dc, const ColourTable& colours) const
{
    const int x = left, y = top, w = width, h = height;
    const Brush face = Brush::solid(colours[faceColour]);
    dc.ellipse(x, y, x + w, y + h, Pen::solid(colours[26]), face);
    dc.ellipse(x + 1, y + 1, x + w - 1, y + h - 1, Pen::solid(colours[11]), face);
    dc.ellipse(x + 3, y + 3, x + w - 3, y + h - 3, Pen::solid(colours[11]), face);

    struct Shade {
        int colour, inset, xs, ys, xe, ye;
    };
    const Shade shades[] = {
        {8, 1, x + w / 2, y + 1, x + 1, y + h / 2},
        {8, 4, x + w / 2 + 3, y + h - 4, x + w - 4, y + h / 2 + 3},
        {9, 2, x + w / 2 - 1, y + 2, x + 2, y + h / 2 - 1},
        {9, 3, x + w / 3 + 2, y + 2 * h / 3 - 3, x + 2 * w / 3 - 3, y + h / 3 + 2},
        {11, 2, x + w / 2 + 1, y + h - 2, x + w - 2, y + h / 2 + 1},
        {11, 3, x + w / 2 - 2, y + 3, x + 3, y + h / 2 - 2},
        {12, 1, x + w / 3, y + 2 * h / 3 - 1, x + 2 * w / 3 - 1, y + h / 3},
    };
    for (const Shade& s : shades)
        dc.arc(x + s.inset, y + s.inset, x + w - s.inset, y + h - s.inset, s.xs, s.ys, s.xe, s.ye,
               Pen::solid(colours[s.colour]));
}

void NoteBox::drawBoxPressed(gdi::Canvas& dc, const ColourTable& colours)
{
    const int x = left, y = top, w = width, h = height;
    dc.ellipse(x + 1, y + 1, x + w - 1, y + h - 1, Pen::solid(colours[12]), Brush::none());
    dc.arc(x + 1, y + 1, x + w - 1, y + h - 1, x + w / 3 + 1, y + 2 * h / 3 - 1, x + w - 1,
           y + h / 2 - 1, Pen::solid(colours[12]));
    dc.arc(x, y, x + w, y + h, x + w / 3, y + 2 * h / 3, x + w, y + h / 2, Pen::solid(colours[24]));
    pressed = 1;
}
