#pragma once

#include "platform/gdi/font_faces.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>

#include <functional>
#include <span>
#include <string_view>

// Drawing with the semantics of the classic Windows GDI, on a QImage.
//
// Conventions every drawing routine of the programs relies on:
// - Coordinates are integer pixels of the target image; anything outside it is clipped.
// - Lines and polylines leave out their last point (a line from x 28 to x 473 covers 28..472).
// - Rectangle-like shapes (rectangle, ellipse, arc, rounded rectangle) take a bounding box
//   (left, top)-(right, bottom) whose right column and bottom row are outside: the shape
//   covers left..right-1 and top..bottom-1.
// - Arcs run counter-clockwise from a start point to an end point; both points only give
//   directions (radial lines from the centre of the box), they need not lie on the curve.
// - Bitmaps combine with the target by AND (white in the bitmap leaves the target as it
//   is, black makes it black), XOR or COPY.
// - Nothing is selected into the canvas: every call names its own pen, brush or font, so
//   no drawing step can leak state into the next one.
//
// The canvas never owns the image. Each change reports the rectangle it touched to an
// optional listener; a back-buffered widget uses that to schedule its repaint.
namespace gdi {

using Colour = QRgb; // 0xffRRGGBB

constexpr Colour rgb(int r, int g, int b)
{
    return 0xff000000u | (unsigned(r & 0xff) << 16) | (unsigned(g & 0xff) << 8) |
           unsigned(b & 0xff);
}
constexpr Colour black = rgb(0, 0, 0);
constexpr Colour white = rgb(255, 255, 255);

enum class PenStyle {
    Solid,
    Dotted, // three pixels on, three off; the gaps leave the target untouched
    None,   // draws no outline
};

struct Pen {
    Colour colour = black;
    int width = 1; // 0 and 1 both mean a one-pixel line
    PenStyle style = PenStyle::Solid;

    static Pen solid(Colour c, int width = 1) { return {c, width, PenStyle::Solid}; }
    static Pen dotted(Colour c) { return {c, 1, PenStyle::Dotted}; }
    static Pen none() { return {black, 0, PenStyle::None}; }
};

struct Brush {
    Colour colour = white;
    bool hollow = false; // a hollow brush fills nothing

    static Brush solid(Colour c) { return {c, false}; }
    static Brush none() { return {white, true}; }
};

enum class RasterOp { And, Xor, Copy };

enum class HAlign { Left, Centre, Right };
enum class VAlign {
    Top,      // y is the top of the text cell
    Baseline, // y is the baseline
    Bottom,   // y is the bottom of the text cell
};

struct TextStyle {
    FontSpec font;
    Colour colour = black;
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Top;
    bool opaque = false; // fill the text cell with `background` first
    Colour background = white;
};

class Canvas {
public:
    using ChangeListener = std::function<void(const QRect&)>;

    // Draws on `target`, which must stay alive and be Format_RGB32.
    explicit Canvas(QImage& target, ChangeListener onChange = {});

    QImage& image() { return *image_; }
    const QImage& image() const { return *image_; }
    int width() const { return image_->width(); }
    int height() const { return image_->height(); }

    // Colour of one pixel; black outside the image.
    Colour pixel(int x, int y) const;
    void setPixel(int x, int y, Colour c);

    // Line from (x1, y1) towards (x2, y2), without the end point.
    void line(int x1, int y1, int x2, int y2, const Pen& pen);
    // Connected lines through the points; only the very last point is left out.
    void polyline(std::span<const QPoint> points, const Pen& pen);

    // Outline on left..right-1 and top..bottom-1, inside filled with the brush. With no pen
    // the filled area is one pixel smaller on the right and at the bottom (as in GDI).
    void rectangle(int left, int top, int right, int bottom, const Pen& pen, const Brush& brush);
    // Fills width x height pixels from (x, y) with the colour (a pattern or rectangle fill).
    void fill(int x, int y, int width, int height, Colour c);

    // Ellipse inscribed in the box, outlined with the pen and filled with the brush.
    void ellipse(int left, int top, int right, int bottom, const Pen& pen, const Brush& brush);
    // The part of the ellipse outline of the box from the radial through (xStart, yStart)
    // counter-clockwise to the radial through (xEnd, yEnd). Equal directions give the
    // whole ellipse.
    void arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd,
             const Pen& pen);
    // Rectangle with corners rounded by an ellipse of cornerWidth x cornerHeight.
    void roundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight,
                   const Pen& pen, const Brush& brush);
    // Closed polygon, filled by the even-odd rule, then outlined edge by edge.
    void polygon(std::span<const QPoint> points, const Pen& pen, const Brush& brush);

    // Text at (x, y) aligned as the style says.
    void text(int x, int y, std::string_view utf8, const TextStyle& style);
    // Width and cell height the text would take in that font.
    QSize textSize(std::string_view utf8, const FontSpec& font) const;

    // Combines width x height pixels of `source` from (sourceX, sourceY) into the canvas at
    // (x, y). Only the part that lies inside both images is drawn; a null source draws
    // nothing.
    void blit(int x, int y, int width, int height, const QImage& source, int sourceX, int sourceY,
              RasterOp op);

private:
    void plot(int x, int y, Colour c);
    void plotPen(int x, int y, const Pen& pen);
    void lineBody(int x1, int y1, int x2, int y2, const Pen& pen, int& dashPhase);
    void spanFill(int y, int x1, int x2, Colour c); // x1..x2 inclusive
    void changed(const QRect& r);

    QImage* image_;
    ChangeListener onChange_;
};

} // namespace gdi
