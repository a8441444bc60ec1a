#include "render/colours.h"

#include <cassert>

ColourTable fillColours()
{
    using gdi::rgb;
    ColourTable c{};
    c[0] = rgb(233, 233, 216);
    c[1] = rgb(155, 164, 154);
    c[2] = rgb(6, 6, 23);
    c[3] = rgb(6, 6, 23);
    c[4] = rgb(158, 159, 170);
    c[5] = rgb(189, 173, 156);
    c[6] = rgb(106, 106, 123);
    c[7] = rgb(172, 164, 139);
    c[8] = rgb(213, 213, 196);
    c[9] = rgb(183, 183, 166);
    c[10] = rgb(153, 153, 136);
    c[11] = rgb(123, 123, 106);
    c[12] = rgb(93, 93, 76);
    for (int i = 0; i < 7; ++i)
        c[13 + i] = rgb(196 - 20 * i, 213 - 20 * i, 213 - 20 * i);
    c[20] = rgb(6, 23, 23);
    c[21] = rgb(206, 206, 223);
    c[22] = rgb(176, 176, 193);
    c[23] = rgb(146, 146, 163);
    c[24] = rgb(106, 106, 123);
    c[25] = rgb(76, 76, 93);
    c[26] = rgb(46, 46, 63);
    c[27] = rgb(15, 16, 33);
    c[28] = rgb(246, 248, 246);
    c[29] = rgb(16, 16, 63);
    return c;
}

gdi::Brush brushOf(const ColourTable& colours, int k)
{
    assert(k >= 0 && k < kBrushCount);
    return gdi::Brush::solid(colours[k]);
}
