#include "rhythm/trainer_display.h"

#include <gtest/gtest.h>

using namespace display;

namespace {

struct DisplayTest : ::testing::Test {
    QImage image{clientWidth, clientHeight, QImage::Format_RGB32};
    gdi::Canvas canvas{image};
    void SetUp() override { paintWindow(canvas, WindowState{}); }
    gdi::Colour at(int x, int y) const { return canvas.pixel(x, y); }
};

constexpr int lampCentreY = dialBottom + 14;

} // namespace

TEST_F(DisplayTest, PaintLaysOutDialLampsSeparatorsAndAnEmptyStatusArea)
{
    EXPECT_EQ(at(5, 100), colour::windowBackground);
    EXPECT_EQ(at(200, 25), gdi::black); // inside the dial
    EXPECT_EQ(at(100, 42), gdi::white); // its highlight
    EXPECT_EQ(at(10, 178), gdi::white);
    EXPECT_EQ(at(10, 180), gdi::black);
    EXPECT_EQ(at(10, 179), colour::statusBackground);
    for (int y = 181; y < clientHeight; ++y)
        for (int x = 2; x < 388; ++x)
            ASSERT_EQ(at(x, y), colour::statusBackground) << x << "," << y;
    for (int lamp = 0; lamp < 17; ++lamp)
        EXPECT_EQ(at(32 + 21 * lamp, lampCentreY), lampColour(lamp, false)) << lamp;
    // The thumb of tempo 80 sits at x 142 with its black outline.
    EXPECT_EQ(at(142, 150), gdi::black);
    EXPECT_EQ(at(157, 150), gdi::black);
    EXPECT_EQ(at(150, 150), colour::panelBackground);
}

TEST_F(DisplayTest, LampsLightInTheirThreeColourGroups)
{
    drawLamp(canvas, 0, true);
    drawLamp(canvas, 7, true);
    drawLamp(canvas, 8, true);
    drawLamp(canvas, 16, true);
    EXPECT_EQ(at(32, lampCentreY), gdi::rgb(255, 0, 0));
    EXPECT_EQ(at(32 + 21 * 7, lampCentreY), gdi::rgb(255, 255, 0));
    EXPECT_EQ(at(200, lampCentreY), gdi::rgb(0, 255, 0));
    EXPECT_EQ(at(368, lampCentreY), gdi::rgb(255, 0, 0));
    EXPECT_EQ(at(32 + 21 * 9, lampCentreY), gdi::rgb(128, 128, 0));
    drawLamp(canvas, 8, false);
    EXPECT_EQ(at(200, lampCentreY), gdi::rgb(0, 128, 0));
}

TEST_F(DisplayTest, NeedleIsYellowAndTallerRightOnTheBeat)
{
    for (int x : {197, 201}) {
        drawNeedle(canvas, x);
        EXPECT_EQ(at(x, 13), colour::yellow) << x;
        EXPECT_EQ(at(x, 37), colour::yellow) << x;
        EXPECT_EQ(at(x, 38), gdi::black) << x;
        eraseNeedle(canvas, x);
        EXPECT_EQ(at(x, 13), gdi::black) << x;
        EXPECT_EQ(at(x, 30), gdi::black) << x;
    }
    for (int x : {196, 202}) {
        drawNeedle(canvas, x);
        EXPECT_EQ(at(x, 24), gdi::black) << x;
        EXPECT_EQ(at(x, 25), gdi::white) << x;
        EXPECT_EQ(at(x, 37), gdi::white) << x;
    }
}

TEST_F(DisplayTest, ThumbMovesWithTheGrooveRestoredBehindIt)
{
    moveThumb(canvas, 142, 200, 138);
    EXPECT_EQ(at(200, 150), gdi::black);
    EXPECT_EQ(at(150, 152), colour::grey);
    EXPECT_EQ(at(150, 153), colour::grey);
    EXPECT_EQ(at(150, 155), gdi::black);
    EXPECT_EQ(at(150, 156), gdi::white);
    EXPECT_EQ(at(150, 160), colour::panelBackground);
    // The untouched groove to the left looks the same as the restored part.
    for (int y = 152; y < 157; ++y)
        EXPECT_EQ(at(120, y), at(150, y)) << y;
}

TEST_F(DisplayTest, CaptionWhiteWhileTheMetronomeRunsAndStatusLinesAppear)
{
    auto count = [&](gdi::Colour c, int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += at(x, y) == c;
        return n;
    };
    EXPECT_EQ(count(gdi::white, 160, 76, 240, 92), 0);
    drawMetronomeCaption(canvas, true);
    EXPECT_GT(count(gdi::white, 160, 76, 240, 92), 20);
    drawMetronomeCaption(canvas, false);
    EXPECT_EQ(count(gdi::white, 160, 76, 240, 92), 0);

    drawStatusLines(canvas, "Steady hitting = 1 out of total = 1, steadiness = 100%", "x");
    EXPECT_GT(count(colour::statusText, 2, 181, 388, 198), 50);

    drawInstruction(canvas);
    EXPECT_GT(count(colour::yellow, 30, 13, 370, 37), 50);
    blankDial(canvas);
    EXPECT_EQ(count(colour::yellow, 30, 13, 370, 37), 0);
}
