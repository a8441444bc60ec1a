#include "render/star_field.h"

#include "music/uniform_random_source.h"
#include "tests/support/scripted_random_source.h"
#include "tests/support/star_flight_formula.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

using Star = StarField::Star;

TEST(StarFieldTest, StarsAreRedrawnUntilNeitherCoordinateIsZero)
{
    // Draw 250 gives x = 0 and draw 180 gives y = 0: both pairs are thrown away.
    std::vector<int> draws{250, 7, 3, 180, 0, 360};
    for (int i = 1; i < 500; ++i)
        draws.insert(draws.end(), {251, 181});
    ScriptedRandomSource random(draws);
    StarField field;
    field.CreateStars(random);

    ASSERT_EQ(field.stars().size(), 500u);
    EXPECT_TRUE(random.exhausted());
    for (std::size_t i = 0; i < random.bounds().size(); ++i)
        ASSERT_EQ(random.bounds()[i], i % 2 ? 361 : 501) << "draw " << i;
    const Star& first = field.stars()[0];
    EXPECT_EQ(std::tuple(first.x, first.y, first.z, first.sx, first.sy),
              std::tuple(-250, 180, 1, -1, -1));
    const Star& last = field.stars()[499];
    EXPECT_EQ(std::tuple(last.x, last.y, last.z), std::tuple(1, 1, 500));

    ScriptedRandomSource again(draws);
    field.CreateStars(again); // replaces the stars, never adds to them
    EXPECT_EQ(field.stars().size(), 500u);
}

// Stars all at x = 1, y = 1; star i at depth i + 1.
StarField unitStars()
{
    std::vector<int> draws;
    for (int i = 0; i < 500; ++i)
        draws.insert(draws.end(), {251, 181});
    ScriptedRandomSource random(draws);
    StarField field;
    field.CreateStars(random);
    return field;
}

TEST(StarFieldTest, DepthWrapsRoundTheFarSide)
{
    struct Row {
        const char* name;
        int z, dz, expected;
    } rows[] = {
        {"plain step", 250, -3, 247},      {"from 2 to 499", 2, -3, 499},
        {"from 3 to 500", 3, -3, 500},     {"from 4 to 1", 4, -3, 1},
        {"backwards past 500", 499, 3, 2}, {"more than a whole depth", 10, -1203, 307},
    };
    for (const Row& row : rows) {
        StarField field = unitStars();
        field.MoveStars(0, 0, row.z - 1); // star 0 starts at depth 1
        ASSERT_EQ(field.stars()[0].z, row.z) << row.name;
        field.MoveStars(5, -7, row.dz);
        EXPECT_EQ(std::tuple(field.stars()[0].x, field.stars()[0].y, field.stars()[0].z),
                  std::tuple(6, -6, row.expected))
            << row.name;
    }
}

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

TEST(StarFieldTest, AStarWrappingFromTheEdgeReappearsNearTheCentre)
{
    // x = 450 - 250 = 200 and y = 280 - 180 = 100 for every star; star 1 at depth 2.
    std::vector<int> draws;
    for (int i = 0; i < 500; ++i)
        draws.insert(draws.end(), {450, 280});
    ScriptedRandomSource random(draws);
    StarField field;
    field.CreateStars(random);
    QImage image(500, 494, QImage::Format_RGB32);
    image.fill(Qt::black);
    gdi::Canvas canvas(image);

    field.DrawStars(canvas);
    EXPECT_EQ(std::pair(field.stars()[1].sx, field.stars()[1].sy), std::pair(13050, 6580));
    field.MoveStars(0, 0, -3);
    field.DrawStars(canvas);
    EXPECT_EQ(field.stars()[1].z, 499);
    EXPECT_EQ(std::pair(field.stars()[1].sx, field.stars()[1].sy), std::pair(301, 205));
    EXPECT_EQ(canvas.pixel(301, 205), StarField::starColour);
}

} // namespace
