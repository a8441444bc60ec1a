#include "platform/gdi/canvas.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>

using namespace gdi;

namespace {

constexpr Colour paper = rgb(233, 233, 216);

struct CanvasTest : testing::Test {
    QImage image{200, 120, QImage::Format_RGB32};
    Canvas canvas{image};
    CanvasTest() { image.fill(paper); }

    int countInRow(int y, Colour c) const
    {
        int n = 0;
        for (int x = 0; x < canvas.width(); ++x)
            n += canvas.pixel(x, y) == c;
        return n;
    }
    int countInColumn(int x, Colour c) const
    {
        int n = 0;
        for (int y = 0; y < canvas.height(); ++y)
            n += canvas.pixel(x, y) == c;
        return n;
    }
};

TEST_F(CanvasTest, LinesLeaveOutTheirEndPoint)
{
    canvas.line(28, 10, 173, 10, Pen::solid(black));
    EXPECT_EQ(canvas.pixel(27, 10), paper);
    EXPECT_EQ(canvas.pixel(28, 10), black);
    EXPECT_EQ(canvas.pixel(172, 10), black);
    EXPECT_EQ(canvas.pixel(173, 10), paper);
    EXPECT_EQ(countInRow(10, black), 145);

    canvas.line(5, 50, 5, 40, Pen::solid(black)); // upwards: 50..41
    EXPECT_EQ(canvas.pixel(5, 50), black);
    EXPECT_EQ(canvas.pixel(5, 40), paper);
    EXPECT_EQ(countInColumn(5, black), 10);

    canvas.line(60, 60, 60, 60, Pen::solid(black)); // a zero-length line draws nothing
    EXPECT_EQ(canvas.pixel(60, 60), paper);
}

TEST_F(CanvasTest, PolylineDrawsEveryCornerButTheLastPoint)
{
    const QPoint points[] = {{10, 30}, {10, 20}, {20, 20}};
    canvas.polyline(points, Pen::solid(black));
    EXPECT_EQ(canvas.pixel(10, 30), black);
    EXPECT_EQ(canvas.pixel(10, 20), black);
    EXPECT_EQ(canvas.pixel(19, 20), black);
    EXPECT_EQ(canvas.pixel(20, 20), paper);
}

TEST_F(CanvasTest, DottedPenDrawsThreeOnThreeOff)
{
    canvas.line(0, 5, 12, 5, Pen::dotted(black));
    const bool expected[] = {1, 1, 1, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0};
    for (int x = 0; x <= 12; ++x)
        EXPECT_EQ(canvas.pixel(x, 5) == black, expected[x]) << "x " << x;
}

TEST_F(CanvasTest, RectangleOutlineExcludesRightAndBottom)
{
    // A 68 x 28 button outlined to left + width + 1 covers 69 x 29 pixels.
    const Colour rim = rgb(76, 76, 93), face = rgb(136, 153, 153);
    canvas.rectangle(27, 20, 27 + 69, 20 + 29, Pen::solid(rim), Brush::solid(face));
    EXPECT_EQ(canvas.pixel(27, 20), rim);
    EXPECT_EQ(canvas.pixel(95, 48), rim);
    EXPECT_EQ(canvas.pixel(96, 48), paper);
    EXPECT_EQ(canvas.pixel(95, 49), paper);
    EXPECT_EQ(canvas.pixel(28, 21), face);
    EXPECT_EQ(canvas.pixel(94, 47), face);
    EXPECT_EQ(countInRow(20, rim), 69);
    EXPECT_EQ(countInColumn(27, rim), 29);
}

TEST_F(CanvasTest, RectangleWithoutPenFillsOnePixelLess)
{
    canvas.rectangle(10, 10, 20, 20, Pen::none(), Brush::solid(black));
    EXPECT_EQ(canvas.pixel(10, 10), black);
    EXPECT_EQ(canvas.pixel(18, 18), black);
    EXPECT_EQ(canvas.pixel(19, 18), paper);
    EXPECT_EQ(canvas.pixel(18, 19), paper);
}

TEST_F(CanvasTest, HollowRectangleKeepsInside)
{
    canvas.rectangle(10, 10, 20, 20, Pen::solid(black), Brush::none());
    EXPECT_EQ(canvas.pixel(15, 15), paper);
    EXPECT_EQ(canvas.pixel(19, 15), black);
}

TEST_F(CanvasTest, FillCoversExactlyWidthByHeight)
{
    canvas.fill(5, 6, 3, 2, black);
    EXPECT_EQ(countInRow(6, black), 3);
    EXPECT_EQ(countInRow(7, black), 3);
    EXPECT_EQ(countInRow(8, black), 0);
    canvas.fill(-5, -5, 10, 10, black); // clipped, no crash
    EXPECT_EQ(canvas.pixel(0, 0), black);
}

TEST_F(CanvasTest, EllipseTouchesItsBoxExclusively)
{
    const Colour rim = rgb(46, 46, 63), face = rgb(153, 153, 136);
    canvas.ellipse(40, 30, 70, 52, Pen::solid(rim), Brush::solid(face));
    EXPECT_EQ(countInColumn(40, rim), countInColumn(69, rim));
    EXPECT_GT(countInColumn(40, rim), 0);
    EXPECT_EQ(countInColumn(39, rim) + countInColumn(70, rim), 0);
    EXPECT_GT(countInRow(30, rim), 0);
    EXPECT_GT(countInRow(51, rim), 0);
    EXPECT_EQ(countInRow(29, rim) + countInRow(52, rim), 0);
    EXPECT_EQ(canvas.pixel(55, 41), face);
    EXPECT_EQ(canvas.pixel(40, 30), paper); // corners stay outside
}

TEST_F(CanvasTest, ArcRunsCounterClockwiseFromStartToEnd)
{
    // From the top of the circle counter-clockwise to its left: the upper-left quarter.
    canvas.arc(100, 10, 141, 51, 120, 10, 100, 30, Pen::solid(black));
    int upperLeft = 0, elsewhere = 0;
    for (int y = 10; y < 51; ++y)
        for (int x = 100; x < 141; ++x)
            if (canvas.pixel(x, y) == black)
                (x <= 120 && y <= 30 ? upperLeft : elsewhere)++;
    EXPECT_GT(upperLeft, 20);
    EXPECT_EQ(elsewhere, 0);

    // The same points the other way round give the other three quarters.
    image.fill(paper);
    canvas.arc(100, 10, 141, 51, 100, 30, 120, 10, Pen::solid(black));
    EXPECT_EQ(canvas.pixel(140, 30), black); // rightmost point
    EXPECT_EQ(canvas.pixel(120, 50), black); // bottom point
    EXPECT_EQ(canvas.pixel(105, 16), paper); // upper-left stays empty
}

TEST_F(CanvasTest, PolygonIsFilledAndOutlined)
{
    const QPoint diamond[] = {{50, 80}, {44, 86}, {50, 92}, {56, 86}};
    canvas.polygon(diamond, Pen::solid(black), Brush::solid(white));
    EXPECT_EQ(canvas.pixel(50, 86), white);
    for (const QPoint& p : diamond)
        EXPECT_EQ(canvas.pixel(p.x(), p.y()), black);
    EXPECT_EQ(canvas.pixel(44, 80), paper);
}

TEST_F(CanvasTest, RoundRectHasRoundCornersAndWidePen)
{
    const Colour grey = rgb(128, 128, 128);
    canvas.roundRect(10, 10, 110, 50, 40, 40, Pen::solid(grey, 3), Brush::solid(black));
    EXPECT_EQ(canvas.pixel(10, 10), paper);
    EXPECT_EQ(canvas.pixel(60, 10), grey);
    EXPECT_EQ(canvas.pixel(60, 12), grey);
    EXPECT_EQ(canvas.pixel(60, 13), black);
    EXPECT_EQ(canvas.pixel(60, 30), black);
}

TEST_F(CanvasTest, AndBlitKeepsPaperWhereTheGlyphIsWhite)
{
    QImage glyph(4, 2, QImage::Format_RGB32);
    glyph.fill(white);
    glyph.setPixel(1, 0, black);
    glyph.setPixel(2, 1, rgb(128, 128, 128));
    canvas.blit(10, 10, 4, 2, glyph, 0, 0, RasterOp::And);
    EXPECT_EQ(canvas.pixel(10, 10), paper);
    EXPECT_EQ(canvas.pixel(11, 10), black);
    EXPECT_EQ(canvas.pixel(12, 11), rgb(128, 128, 128) & paper);
}

TEST_F(CanvasTest, XorTwiceRestoresAndCopyReplaces)
{
    QImage glyph(3, 3, QImage::Format_RGB32);
    glyph.fill(rgb(10, 200, 30));
    canvas.blit(20, 20, 3, 3, glyph, 0, 0, RasterOp::Xor);
    EXPECT_NE(canvas.pixel(21, 21), paper);
    canvas.blit(20, 20, 3, 3, glyph, 0, 0, RasterOp::Xor);
    EXPECT_EQ(canvas.pixel(21, 21), paper);
    canvas.blit(20, 20, 3, 3, glyph, 0, 0, RasterOp::Copy);
    EXPECT_EQ(canvas.pixel(21, 21), rgb(10, 200, 30));
}

TEST_F(CanvasTest, BlitIsClippedToSourceAndTarget)
{
    QImage glyph(4, 4, QImage::Format_RGB32);
    glyph.fill(black);
    // Asking for more than the bitmap holds draws only the bitmap.
    canvas.blit(30, 30, 30, 50, glyph, 0, 0, RasterOp::Copy);
    EXPECT_EQ(canvas.pixel(33, 33), black);
    EXPECT_EQ(canvas.pixel(34, 30), paper);
    EXPECT_EQ(canvas.pixel(30, 34), paper);
    // A source offset picks the frame; off-canvas parts vanish without harm.
    canvas.blit(-2, -2, 4, 4, glyph, 2, 2, RasterOp::Copy);
    EXPECT_EQ(canvas.pixel(0, 0), paper);
    canvas.blit(198, 118, 4, 4, glyph, 0, 0, RasterOp::Copy);
    EXPECT_EQ(canvas.pixel(199, 119), black);
    canvas.blit(0, 0, 4, 4, QImage(), 0, 0, RasterOp::Copy); // a missing bitmap draws nothing
}

TEST_F(CanvasTest, CentredTextSitsAroundItsX)
{
    TextStyle style;
    style.font = FontSpec{.face = "Helv", .height = 14, .width = 8};
    style.hAlign = HAlign::Centre;
    canvas.text(100, 40, "Hear", style);
    int minX = 1000, maxX = -1, minY = 1000;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (canvas.pixel(x, y) != paper) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
            }
    ASSERT_GE(maxX, 0) << "no ink";
    EXPECT_NEAR((minX + maxX) / 2.0, 100, 2);
    EXPECT_GE(minY, 40); // top alignment: nothing above the cell
    // Text is drawn without antialiasing: only the text colour appears.
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            ASSERT_TRUE(canvas.pixel(x, y) == paper || canvas.pixel(x, y) == black);
}

TEST_F(CanvasTest, OpaqueTextFillsItsCellAndBaselineAlignmentLiftsIt)
{
    TextStyle style;
    style.font = FontSpec{.face = "Arial", .height = 12, .width = 5};
    style.opaque = true;
    style.background = rgb(153, 153, 136);
    canvas.text(10, 60, "   ", style);
    const QSize cell = canvas.textSize("   ", style.font);
    EXPECT_EQ(canvas.pixel(10, 60), style.background);
    EXPECT_EQ(canvas.pixel(10 + cell.width() - 1, 60 + cell.height() - 1), style.background);
    EXPECT_EQ(canvas.pixel(10 + cell.width(), 60), paper);

    style.vAlign = VAlign::Baseline;
    canvas.text(100, 100, "   ", style);
    EXPECT_EQ(canvas.pixel(100, 99), style.background);
    EXPECT_EQ(canvas.pixel(100, 100 - cell.height()), paper);
}

TEST_F(CanvasTest, ListenerHearsWhatChanged)
{
    QRect seen;
    Canvas watched(image, [&](const QRect& r) { seen |= r; });
    watched.fill(5, 6, 7, 8, black);
    EXPECT_TRUE(seen.contains(QRect(5, 6, 7, 8)));
}

TEST(FontFaces, TableMapsTheProgramsFacesToLiberation)
{
    EXPECT_EQ(substituteFace("Helv"), "Liberation Sans");
    EXPECT_EQ(substituteFace("hELV"), "Liberation Sans");
    EXPECT_EQ(substituteFace("Arial Narrow"), "Liberation Sans Narrow");
    EXPECT_EQ(substituteFace("Times New Roman"), "Liberation Serif");
    EXPECT_EQ(substituteFace("Pica"), "Liberation Mono");
    EXPECT_EQ(substituteFace("Elite"), "Liberation Mono");
    EXPECT_EQ(substituteFace("Unknown", FontFamily::Roman), "Liberation Serif");
}

TEST(FontFaces, CellHeightAndWidthAreHonoured)
{
    const QFont arial = makeFont({.face = "Arial", .height = 14});
    EXPECT_EQ(arial.family(), "Liberation Sans");
    EXPECT_LE(QFontMetrics(arial).height(), 14);
    EXPECT_GE(QFontMetrics(arial).height(), 12);

    const QFont narrow = makeFont({.face = "Arial Narrow", .height = 14, .width = 6});
    EXPECT_NEAR(QFontMetrics(narrow).horizontalAdvance("abcdefghijklmnopqrstuvwxyz ") / 27.0, 6,
                0.5);

    // The old bitmap face never went below a readable size.
    EXPECT_GE(QFontMetrics(makeFont({.face = "Helv", .height = 8, .width = 6})).height(), 12);
}

} // namespace
