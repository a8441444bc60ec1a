#pragma once

#include <QImage>
#include <QRect>

// How many pixels of `image` inside `area` have the colour `c`.
inline int countPixels(const QImage& image, QRgb c, QRect area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixel(x, y) == c;
    return n;
}
