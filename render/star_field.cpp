#include "render/star_field.h"

#include "music/random_source.h"

void StarField::CreateStars(RandomSource& random)
{
    stars_.clear();
    stars_.reserve(starCount);
    for (int i = 0; i < starCount; ++i) {
        Star star;
        do {
            star.x = random.Random(2 * centreX + 1) - centreX;
            star.y = random.Random(2 * centreY + 1) - centreY;
        } while (star.x == 0 || star.y == 0);
        star.z = i + 1;
        stars_.push_back(star);
    }
}

void StarField::MoveStars(int dx, int dy, int dz)
{
    for (Star& star : stars_) {
        star.x += dx;
        star.y += dy;
        // Wrapped into 1..depth however far it moved, so the projection never
        // divides by zero; for steps shorter than the depth this is one
        // subtraction or addition of the depth.
        star.z = ((star.z + dz - 1) % depth + depth) % depth + 1;
    }
}

void StarField::DrawStars(gdi::Canvas& canvas)
{
    for (Star& star : stars_) {
        canvas.setPixel(star.sx, star.sy, gdi::black);
        // Integer division truncates toward zero on both sides of the centre.
        star.sx = star.x * focalLength / star.z + centreX;
        star.sy = star.y * focalLength / star.z + centreY;
        canvas.setPixel(star.sx, star.sy, starColour);
    }
}
