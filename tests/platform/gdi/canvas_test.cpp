#include "platform/gdi/canvas.h"
#include "tests/support/pixel_count.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>

using namespace gdi;

namespace {

constexpr Colour paper = rgb(233, 233, 216), grey = rgb(128, 128, 128);

struct CanvasTest : testing::Test {
    QImage image{200, 120, QImage::Format_RGB32};
    Canvas canvas{image};
    CanvasTest() { image.fill(paper); }

    int row(int y, Colour c) const { return countPixels(canvas, 0, y, 200, 1, c); }
    int column(int x, Colour c) const { return countPixels(canvas, x, 0, 1, 120, c); }
};

TEST_F(CanvasTest, LinesLeaveOutTheirLastPoint)
{
    canvas.line(28, 10, 173, 10, Pen::solid(black));
    EXPECT_EQ(row(10, black), 145);
    EXPECT_EQ(canvas.pixel(28, 10), black);
    EXPECT_EQ(canvas.pixel(173, 10), paper);
    canvas.line(5, 50, 5, 40, Pen::solid(black)); // upwards: 50..41
    EXPECT_EQ(column(5, black), 10);
    EXPECT_EQ(canvas.pixel(5, 50), black);
    canvas.line(60, 60, 60, 60, Pen::solid(black)); // zero length: nothing
    EXPECT_EQ(canvas.pixel(60, 60), paper);

    const QPoint corner[] = {{10, 30}, {10, 20}, {20, 20}};
    canvas.polyline(corner, Pen::solid(black));
    EXPECT_EQ(canvas.pixel(10, 30), black);
    EXPECT_EQ(canvas.pixel(19, 20), black);
    EXPECT_EQ(canvas.pixel(20, 20), paper);

    canvas.line(0, 70, 12, 70, Pen::dotted(black)); // three on, three off
    for (int x = 0; x <= 12; ++x)
        EXPECT_EQ(canvas.pixel(x, 70) == black, x % 6 < 3 && x < 12) << "x " << x;
}

TEST_F(CanvasTest, RectanglesCoverLeftToRightMinusOne)
{
    // A 68 x 28 button outlined to left + width + 1 covers 69 x 29 pixels.
    const Colour rim = rgb(76, 76, 93), face = rgb(136, 153, 153);
    canvas.rectangle(27, 20, 27 + 69, 20 + 29, Pen::solid(rim), Brush::solid(face));
    EXPECT_EQ(row(20, rim), 69);
    EXPECT_EQ(column(27, rim), 29);
    EXPECT_EQ(canvas.pixel(95, 48), rim);
    EXPECT_EQ(canvas.pixel(94, 47), face);
    EXPECT_EQ(countPixels(canvas, 27, 20, 69, 29, rim) + countPixels(canvas, 27, 20, 69, 29, face),
              69 * 29);
    EXPECT_EQ(row(49, rim) + column(96, rim), 0);

    // Without a pen the fill is one pixel smaller; without a brush the inside stays.
    canvas.rectangle(110, 10, 120, 20, Pen::none(), Brush::solid(black));
    canvas.rectangle(130, 10, 140, 20, Pen::solid(black), Brush::none());
    EXPECT_EQ(countPixels(canvas, 100, 0, 30, 30, black), 9 * 9);
    EXPECT_EQ(canvas.pixel(118, 18), black);
    EXPECT_EQ(canvas.pixel(135, 15), paper);
    EXPECT_EQ(canvas.pixel(139, 15), black);

    // Fills cover width x height (the change listener is pinned by the back-buffer tests).
    canvas.fill(5, 60, 3, 2, black);
    EXPECT_EQ(countPixels(canvas, 0, 55, 20, 20, black), 6);
    canvas.fill(-5, -5, 10, 10, black); // clipped, no crash
    EXPECT_EQ(canvas.pixel(0, 0), black);
}

TEST_F(CanvasTest, EllipseTouchesItsBoxExclusively)
{
    const Colour rim = rgb(46, 46, 63), face = rgb(153, 153, 136);
    canvas.ellipse(40, 30, 70, 52, Pen::solid(rim), Brush::solid(face));
    EXPECT_EQ(column(40, rim), column(69, rim));
    EXPECT_GT(column(40, rim), 0);
    EXPECT_GT(row(30, rim) * row(51, rim), 0);
    EXPECT_EQ(column(39, rim) + column(70, rim) + row(29, rim) + row(52, rim), 0);
    EXPECT_EQ(canvas.pixel(55, 41), face);
    EXPECT_EQ(canvas.pixel(40, 30), paper); // corners stay outside
}

TEST_F(CanvasTest, ArcRunsCounterClockwiseFromStartToEnd)
{
    // From the top of the circle counter-clockwise to its left: the upper-left quarter.
    canvas.arc(100, 10, 141, 51, 120, 10, 100, 30, Pen::solid(black));
    const int upperLeft = countPixels(canvas, 100, 10, 21, 21, black);
    EXPECT_GT(upperLeft, 20);
    EXPECT_EQ(countPixels(canvas, 100, 10, 41, 41, black), upperLeft);

    // The same points the other way round give the other three quarters.
    image.fill(paper);
    canvas.arc(100, 10, 141, 51, 100, 30, 120, 10, Pen::solid(black));
    EXPECT_EQ(canvas.pixel(140, 30), black); // rightmost point
    EXPECT_EQ(canvas.pixel(120, 50), black); // bottom point
    EXPECT_EQ(canvas.pixel(105, 16), paper); // upper-left stays empty
}

TEST_F(CanvasTest, ClosedShapesAreFilledInsideTheirOutline)
{
    const QPoint diamond[] = {{50, 80}, {44, 86}, {50, 92}, {56, 86}};
    canvas.polygon(diamond, Pen::solid(black), Brush::solid(white));
    EXPECT_EQ(canvas.pixel(50, 86), white);
    for (const QPoint& p : diamond)
        EXPECT_EQ(canvas.pixel(p.x(), p.y()), black);
    EXPECT_EQ(canvas.pixel(44, 80), paper);

    canvas.roundRect(10, 10, 110, 50, 40, 40, Pen::solid(grey, 3), Brush::solid(black));
    EXPECT_EQ(canvas.pixel(10, 10), paper); // round corner
    EXPECT_EQ(countPixels(canvas, 60, 10, 1, 4, grey), 3);
    EXPECT_EQ(canvas.pixel(60, 13), black);
}

TEST_F(CanvasTest, BlitsAreClippedToTheCanvas)
{
    QImage glyph(4, 2, QImage::Format_RGB32);
    glyph.fill(white);
    glyph.setPixel(1, 0, black);
    glyph.setPixel(2, 1, grey);
    canvas.blit(10, 10, 4, 2, glyph, 0, 0, RasterOp::And); // white keeps the paper
    EXPECT_EQ(canvas.pixel(10, 10), paper);
    EXPECT_EQ(canvas.pixel(11, 10), black);
    EXPECT_EQ(canvas.pixel(12, 11), grey & paper);

    QImage green(4, 4, QImage::Format_RGB32);
    green.fill(rgb(10, 200, 30));
    canvas.blit(20, 20, 3, 3, green, 0, 0, RasterOp::Xor);
    EXPECT_NE(canvas.pixel(21, 21), paper);
    canvas.blit(20, 20, 3, 3, green, 0, 0, RasterOp::Xor); // twice restores
    EXPECT_EQ(canvas.pixel(21, 21), paper);

    // Asking for more than the bitmap holds draws only the bitmap.
    canvas.blit(30, 30, 30, 50, green, 0, 0, RasterOp::Copy);
    EXPECT_EQ(countPixels(canvas, 25, 25, 40, 40, rgb(10, 200, 30)), 16);
    // A source offset picks the frame; off-canvas parts vanish without harm.
    canvas.blit(-2, -2, 4, 4, green, 2, 2, RasterOp::Copy);
    EXPECT_EQ(canvas.pixel(0, 0), paper);
    canvas.blit(198, 118, 4, 4, green, 0, 0, RasterOp::Copy);
    EXPECT_EQ(canvas.pixel(199, 119), rgb(10, 200, 30));
    canvas.blit(0, 0, 4, 4, QImage(), 0, 0, RasterOp::Copy); // a missing bitmap draws nothing
}

TEST_F(CanvasTest, TextIsDrawnWithoutAntialiasingWhereAligned)
{
    TextStyle style{.font = {.face = "Helv", .height = 14, .width = 8}, .hAlign = HAlign::Centre};
    canvas.text(100, 40, "Hear", style);
    QRect ink;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            ASSERT_TRUE(canvas.pixel(x, y) == paper || canvas.pixel(x, y) == black);
            if (canvas.pixel(x, y) == black)
                ink |= QRect(x, y, 1, 1);
        }
    ASSERT_FALSE(ink.isEmpty()) << "no ink";
    EXPECT_NEAR(ink.center().x(), 100, 2);
    EXPECT_GE(ink.top(), 40); // top alignment: nothing above the cell

    // Opaque text fills its cell; baseline alignment lifts the cell above y.
    image.fill(paper);
    style = {.font = {.face = "Arial", .height = 12, .width = 5},
             .opaque = true,
             .background = rgb(153, 153, 136)};
    const QSize cell = canvas.textSize("   ", style.font);
    canvas.text(10, 60, "   ", style);
    EXPECT_EQ(countPixels(canvas, 0, 50, 100, 40, style.background), cell.width() * cell.height());
    EXPECT_EQ(canvas.pixel(10, 60), style.background);
    style.vAlign = VAlign::Baseline;
    canvas.text(100, 100, "   ", style);
    EXPECT_EQ(canvas.pixel(100, 99), style.background);
    EXPECT_EQ(canvas.pixel(100, 100 - cell.height()), paper);
}

TEST(FontFaces, TheProgramsFacesMapToLiberationAtTheirCellSize)
{
    EXPECT_EQ(substituteFace("hELV"), "Liberation Sans");
    EXPECT_EQ(substituteFace("Pica"), "Liberation Mono");
    EXPECT_EQ(substituteFace("Unknown", FontFamily::Roman), "Liberation Serif");

    const QFontMetrics arial(makeFont({.face = "Arial", .height = 14}));
    EXPECT_GE(arial.height(), 12);
    EXPECT_LE(arial.height(), 14);
    const QFont narrow = makeFont({.face = "Arial Narrow", .height = 14, .width = 6});
    EXPECT_EQ(narrow.family(), "Liberation Sans Narrow");
    EXPECT_NEAR(QFontMetrics(narrow).horizontalAdvance("abcdefghijklmnopqrstuvwxyz ") / 27.0, 6,
                0.5);
    // The old bitmap face never went below a readable size.
    EXPECT_GE(QFontMetrics(makeFont({.face = "Helv", .height = 8, .width = 6})).height(), 12);
}

} // namespace
