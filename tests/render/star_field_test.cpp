#include "render/star_field.h"

#include "music/uniform_random_source.h"
#include "tests/support/scripted_random_source.h"
#include "tests/support/star_flight_formula.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

using Star = StarField::Star;

// The pixels of the field after n frames, against the formulas worked out
// independently, for frames before, at and after depths wrap.
TEST(StarFieldTest, FramesLightThePixelsTheFormulasGive)
{
    QImage image(500, 494, QImage::Format_RGB32);
    image.fill(Qt::black);
    gdi::Canvas canvas(image);
    UniformRandomSource random(20261207), sameDraws(20261207);
    StarField field;
    field.CreateStars(random);
    const StarFormula formula(sameDraws);

    int frames = 0;
    for (int checkAt : {1, 2, 50, 166, 167, 200}) {
        for (; frames < checkAt; ++frames) {
            field.MoveStars(0, 0, -3);
            field.DrawStars(canvas);
        }
        for (std::size_t i = 0; i < 500; ++i) {
            const Star& star = field.stars()[i];
            ASSERT_EQ(std::pair(star.sx, star.sy), formula.pixel(i, frames))
                << "star " << i << " in frame " << frames;
        }
        // Every lit pixel is a star of this frame: the last frame's were erased.
        const auto expected = formula.pixels(frames);
        int lit = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (canvas.pixel(x, y) == StarField::starColour) {
                    ++lit;
                    ASSERT_TRUE(expected.contains({x, y})) << x << "," << y << " frame " << frames;
                }
        // A star erasing its old pixel after another star was drawn there leaves
        // a hole, so a few expected pixels may be dark; most are lit.
        int onScreen = 0;
        for (auto [x, y] : expected)
            onScreen += x >= 0 && x < 500 && y >= 0 && y < 494;
        EXPECT_GT(lit, onScreen * 9 / 10) << "frame " << frames;
    }
}

} // namespace
