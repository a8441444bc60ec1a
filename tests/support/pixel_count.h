#pragma once

#include "platform/gdi/canvas.h"

#include <QImage>
#include <QRect>

#include <string>

// How many pixels inside `area` have the colour `c`, reading each through `pixelAt(x, y)`.
template <typename PixelAt> int countMatchingPixels(PixelAt pixelAt, QRect area, QRgb c)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += pixelAt(x, y) == c;
    return n;
}

// Number of pixels of colour c in the rectangle x..x+w-1, y..y+h-1 of the canvas.
inline int countPixels(const gdi::Canvas& dc, int x, int y, int w, int h, gdi::Colour c)
{
    return countMatchingPixels([&](int px, int py) { return dc.pixel(px, py); }, QRect(x, y, w, h),
                               c);
}

// How many pixels of `image` inside `area` have the colour `c`.
inline int countPixels(const QImage& image, QRgb c, QRect area)
{
    return countMatchingPixels([&](int px, int py) { return image.pixel(px, py); }, area, c);
}

// Where two images of one size first differ ("" when they are alike), for a failure that
// says where instead of printing bytes.
inline std::string firstDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return "the sizes differ";
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return "pixel " + std::to_string(x) + "," + std::to_string(y);
    return "";
}
