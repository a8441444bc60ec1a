#include "beatwise/trainer_display.h"
#include "tests/support/pixel_count.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace display;

namespace {

struct DisplayTest : ::testing::Test {
    QImage image{clientWidth, clientHeight, QImage::Format_RGB32};
    gdi::Canvas canvas{image};
    void SetUp() override { paintWindow(canvas, WindowState{}); }
    gdi::Colour at(int x, int y) const { return canvas.pixel(x, y); }
    int count(gdi::Colour c, QRect area) const { return countPixels(image, c, area); }
};

constexpr int lampCentreY = dialBottom + 14;

} // namespace

TEST_F(DisplayTest, PaintLaysOutTheWholeFace)
{
    EXPECT_EQ(at(5, 100), colour::windowBackground);
    EXPECT_EQ(at(200, 25), gdi::black); // inside the dial
    EXPECT_EQ(at(100, 42), gdi::white); // its highlight
    EXPECT_EQ(at(10, 178), gdi::white);
    EXPECT_EQ(at(10, 180), gdi::black);
    EXPECT_EQ(at(10, 179), colour::statusBackground);
    EXPECT_EQ(count(colour::statusBackground, {2, 181, 386, 39}), 386 * 39);
    for (int lamp = 0; lamp < 17; ++lamp)
        EXPECT_EQ(at(32 + 21 * lamp, lampCentreY), lampColour(lamp, false)) << lamp;
    // The thumb of tempo 80 sits at x 142 with its black outline.
    EXPECT_EQ(at(142, 150), gdi::black);
    EXPECT_EQ(at(157, 150), gdi::black);
    EXPECT_EQ(at(150, 150), colour::panelBackground);
}

TEST_F(DisplayTest, LampsLightInTheirThreeColourGroups)
{
    struct Case {
        int lamp;
        bool lit;
        gdi::Colour colour;
    } cases[] = {{0, true, gdi::rgb(255, 0, 0)},    {7, true, gdi::rgb(255, 255, 0)},
                 {8, true, gdi::rgb(0, 255, 0)},    {16, true, gdi::rgb(255, 0, 0)},
                 {9, false, gdi::rgb(128, 128, 0)}, {8, false, gdi::rgb(0, 128, 0)}};
    for (auto c : cases) {
        drawLamp(canvas, c.lamp, c.lit);
        EXPECT_EQ(at(32 + 21 * c.lamp, lampCentreY), c.colour) << c.lamp;
    }
}

TEST_F(DisplayTest, TheNeedleStandsOutRightOnTheBeat)
{
    for (int x : {197, 201}) {
        drawNeedle(canvas, x);
        EXPECT_EQ(at(x, 13), colour::yellow) << x;
        EXPECT_EQ(at(x, 37), colour::yellow) << x;
        EXPECT_EQ(at(x, 38), gdi::black) << x;
        eraseNeedle(canvas, x);
        EXPECT_EQ(count(gdi::black, {x, 13, 1, 25}), 25) << x;
    }
    for (int x : {196, 202}) {
        drawNeedle(canvas, x);
        EXPECT_EQ(at(x, 24), gdi::black) << x;
        EXPECT_EQ(at(x, 25), gdi::white) << x;
        EXPECT_EQ(at(x, 37), gdi::white) << x;
    }
}

// The tempo is written in three places of eight pixels, centred in its box: the ink of a
// three-digit tempo lies within those three places.
TEST_F(DisplayTest, TheTempoIsCentredInThreePlaces)
{
    drawTempoNumber(canvas, 180);
    int left = clientWidth, right = -1;
    for (int y = tempoBox.y + 2; y < tempoBox.y + tempoBox.height - 2; ++y) // inside its frame
        for (int x = tempoBox.x + 2; x < tempoBox.x + tempoBox.width - 2; ++x)
            if (at(x, y) == gdi::black) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    const int centre = tempoBox.x + tempoBox.width / 2;
    EXPECT_GE(left, centre - 12);
    EXPECT_LT(right, centre + 12);
    EXPECT_GT(right - left, 12) << "three digits";
}
