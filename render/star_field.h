#pragma once

#include "platform/gdi/canvas.h"

#include <vector>

class RandomSource;

// The intro's star field: 500 stars flying towards the viewer, projected onto
// the window around (250, 180). Each frame erases a star's last pixel and sets
// its new one, so a frame costs 1000 pixel writes and never clears the window.
class StarField {
public:
    struct Star {
        int x = 0, y = 0, z = 1; // position; z is the depth, 1..500
        int sx = -1, sy = -1;    // the pixel last drawn; -1 before the first frame
    };

    static constexpr int starCount = 500;
    static constexpr int depth = 500;
    static constexpr int centreX = 250;
    static constexpr int centreY = 180;
    static constexpr int focalLength = 128;
    static constexpr gdi::Colour starColour = gdi::rgb(255, 128, 255);

    // Replaces any stars with 500 new ones: x in -250..250 and y in -180..180,
    // both non-zero, drawn from `random`; star i gets depth i + 1.
    void CreateStars(RandomSource& random);
    // Moves every star; a depth leaving 1..500 wraps round to the far side.
    void MoveStars(int dx, int dy, int dz);
    // Erases each star's last pixel, projects it and sets its new pixel.
    void DrawStars(gdi::Canvas& canvas);
    void DeleteStars() { stars_.clear(); }

    const std::vector<Star>& stars() const { return stars_; }

private:
    std::vector<Star> stars_;
};
