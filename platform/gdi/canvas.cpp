#include "platform/gdi/canvas.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

namespace gdi {
namespace {

constexpr int dotOn = 3; // a dotted pen: three pixels drawn, three skipped
constexpr int dotPeriod = 6;

QString toQString(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

// Normalised bounding box left..right-1, top..bottom-1; empty when either side has no pixels.
struct Box {
    int left, top, right, bottom;
    Box(int l, int t, int r, int b)
        : left(std::min(l, r)), top(std::min(t, b)), right(std::max(l, r)), bottom(std::max(t, b))
    {
    }
    bool empty() const { return right <= left || bottom <= top; }
    Box shrunk(int by) const { return {left + by, top + by, right - by, bottom - by}; }
    QRect rect() const { return QRect(left, top, right - left, bottom - top); }
};

// Whether the pixel centre (x, y) lies in the ellipse inscribed in the box. The extreme
// pixels of the box's rows and columns belong to the ellipse.
bool insideEllipse(const Box& box, int x, int y)
{
    if (box.empty() || x < box.left || x >= box.right || y < box.top || y >= box.bottom)
        return false;
    const double a = (box.right - box.left) / 2.0;
    const double b = (box.bottom - box.top) / 2.0;
    const double dx = (x - (box.left + box.right - 1) / 2.0) / a;
    const double dy = (y - (box.top + box.bottom - 1) / 2.0) / b;
    return dx * dx + dy * dy <= 1.0 + 1e-9;
}

bool insideRoundRect(const Box& box, int cw, int ch, int x, int y)
{
    if (box.empty() || x < box.left || x >= box.right || y < box.top || y >= box.bottom)
        return false;
    cw = std::min(cw, box.right - box.left);
    ch = std::min(ch, box.bottom - box.top);
    if (cw < 2 || ch < 2)
        return true;
    const bool leftSide = x < box.left + cw / 2;
    const bool rightSide = x >= box.right - cw / 2;
    const bool topSide = y < box.top + ch / 2;
    const bool bottomSide = y >= box.bottom - ch / 2;
    if (!(leftSide || rightSide) || !(topSide || bottomSide))
        return true;
    const int cl = leftSide ? box.left : box.right - cw;
    const int ct = topSide ? box.top : box.bottom - ch;
    return insideEllipse(Box(cl, ct, cl + cw, ct + ch), x, y);
}

template <class Inside> bool interior(const Inside& in, int x, int y)
{
    return in(x, y) && in(x - 1, y) && in(x + 1, y) && in(x, y - 1) && in(x, y + 1);
}

double angleOf(double dx, double dy)
{
    double a = std::atan2(-dy, dx); // screen y grows downwards; angles grow counter-clockwise
    if (a < 0)
        a += 2 * std::numbers::pi;
    return a;
}

} // namespace

Canvas::Canvas(QImage& target, ChangeListener onChange)
    : image_(&target), onChange_(std::move(onChange))
{
    if (image_->format() != QImage::Format_RGB32)
        *image_ = image_->convertToFormat(QImage::Format_RGB32);
}

void Canvas::changed(const QRect& r)
{
    if (onChange_ && !r.isEmpty())
        onChange_(r.intersected(image_->rect()));
}

Colour Canvas::pixel(int x, int y) const
{
    if (!image_->valid(x, y))
        return black;
    return reinterpret_cast<const QRgb*>(image_->constScanLine(y))[x] | 0xff000000u;
}

void Canvas::plot(int x, int y, Colour c)
{
    if (x < 0 || y < 0 || x >= image_->width() || y >= image_->height())
        return;
    reinterpret_cast<QRgb*>(image_->scanLine(y))[x] = c | 0xff000000u;
}

void Canvas::setPixel(int x, int y, Colour c)
{
    plot(x, y, c);
    changed(QRect(x, y, 1, 1));
}

void Canvas::plotPen(int x, int y, const Pen& pen)
{
    if (pen.width <= 1) {
        plot(x, y, pen.colour);
        return;
    }
    const int from = -pen.width / 2;
    for (int dy = from; dy < from + pen.width; ++dy)
        for (int dx = from; dx < from + pen.width; ++dx)
            plot(x + dx, y + dy, pen.colour);
}

void Canvas::lineBody(int x1, int y1, int x2, int y2, const Pen& pen, int& dashPhase)
{
    if (pen.style == PenStyle::None)
        return;
    // Bresenham; the loop stops before plotting the end point.
    const int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
    const int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1, y = y1;
    while (x != x2 || y != y2) {
        if (pen.style == PenStyle::Solid || dashPhase < dotOn)
            plotPen(x, y, pen);
        dashPhase = (dashPhase + 1) % dotPeriod;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void Canvas::line(int x1, int y1, int x2, int y2, const Pen& pen)
{
    int phase = 0;
    lineBody(x1, y1, x2, y2, pen, phase);
    const int grow = std::max(pen.width, 1);
    changed(QRect(QPoint(std::min(x1, x2), std::min(y1, y2)),
                  QPoint(std::max(x1, x2), std::max(y1, y2)))
                .adjusted(-grow, -grow, grow, grow));
}

void Canvas::polyline(std::span<const QPoint> points, const Pen& pen)
{
    if (points.size() < 2)
        return;
    int phase = 0;
    QRect touched(points[0], QSize(1, 1));
    for (size_t i = 1; i < points.size(); ++i) {
        lineBody(points[i - 1].x(), points[i - 1].y(), points[i].x(), points[i].y(), pen, phase);
        touched |= QRect(points[i], QSize(1, 1));
    }
    const int grow = std::max(pen.width, 1);
    changed(touched.adjusted(-grow, -grow, grow, grow));
}

void Canvas::spanFill(int y, int x1, int x2, Colour c)
{
    if (y < 0 || y >= image_->height())
        return;
    x1 = std::max(x1, 0);
    x2 = std::min(x2, image_->width() - 1);
    auto* row = reinterpret_cast<QRgb*>(image_->scanLine(y));
    for (int x = x1; x <= x2; ++x)
        row[x] = c | 0xff000000u;
}

void Canvas::fill(int x, int y, int width, int height, Colour c)
{
    if (width <= 0 || height <= 0)
        return;
    for (int row = y; row < y + height; ++row)
        spanFill(row, x, x + width - 1, c);
    changed(QRect(x, y, width, height));
}

void Canvas::rectangle(int left, int top, int right, int bottom, const Pen& pen, const Brush& brush)
{
    const Box box(left, top, right, bottom);
    if (box.empty())
        return;
    const bool outlined = pen.style != PenStyle::None;
    if (!brush.hollow) {
        const int inset = outlined ? 1 : 0;
        for (int y = box.top + inset; y <= box.bottom - 2; ++y)
            spanFill(y, box.left + inset, box.right - 2, brush.colour);
    }
    if (outlined) {
        const int rings = std::max(pen.width, 1);
        Pen thin = pen;
        thin.width = 1;
        for (int k = 0; k < rings; ++k) {
            const Box ring = box.shrunk(k);
            if (ring.empty())
                break;
            const QPoint corners[] = {{ring.left, ring.top},
                                      {ring.right - 1, ring.top},
                                      {ring.right - 1, ring.bottom - 1},
                                      {ring.left, ring.bottom - 1},
                                      {ring.left, ring.top}};
            int phase = 0;
            for (int i = 1; i < 5; ++i)
                lineBody(corners[i - 1].x(), corners[i - 1].y(), corners[i].x(), corners[i].y(),
                         thin, phase);
            if (ring.right - ring.left == 1 || ring.bottom - ring.top == 1)
                plot(ring.left, ring.top, pen.colour); // a one-pixel ring has no length
        }
    }
    changed(box.rect());
}

namespace {

// Draws a closed shape given by its inside test: the outline is every inside pixel that is
// not in the interior of the shape shrunk by the pen width minus one.
template <class Outer, class Shrunk, class Plot>
void rasterShape(const QRect& bounds, const Outer& outer, const Shrunk& shrunk, bool outlined,
                 Colour penColour, const Brush& brush, const Plot& plot)
{
    for (int y = bounds.top(); y <= bounds.bottom(); ++y)
        for (int x = bounds.left(); x <= bounds.right(); ++x) {
            if (!outer(x, y))
                continue;
            if (outlined && !interior(shrunk, x, y))
                plot(x, y, penColour);
            else if (!brush.hollow)
                plot(x, y, brush.colour);
        }
}

} // namespace

void Canvas::ellipse(int left, int top, int right, int bottom, const Pen& pen, const Brush& brush)
{
    const Box box(left, top, right, bottom);
    if (box.empty())
        return;
    const Box inner = box.shrunk(std::max(pen.width, 1) - 1);
    rasterShape(
        box.rect(), [&](int x, int y) { return insideEllipse(box, x, y); },
        [&](int x, int y) { return insideEllipse(inner, x, y); }, pen.style != PenStyle::None,
        pen.colour, brush, [this](int x, int y, Colour c) { plot(x, y, c); });
    changed(box.rect());
}

void Canvas::roundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight,
                       const Pen& pen, const Brush& brush)
{
    const Box box(left, top, right, bottom);
    if (box.empty())
        return;
    const int in = std::max(pen.width, 1) - 1;
    const Box inner = box.shrunk(in);
    rasterShape(
        box.rect(),
        [&](int x, int y) { return insideRoundRect(box, cornerWidth, cornerHeight, x, y); },
        [&](int x, int y) {
            return insideRoundRect(inner, cornerWidth - 2 * in, cornerHeight - 2 * in, x, y);
        },
        pen.style != PenStyle::None, pen.colour, brush,
        [this](int x, int y, Colour c) { plot(x, y, c); });
    changed(box.rect());
}

void Canvas::arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
                 int yEnd, const Pen& pen)
{
    const Box box(left, top, right, bottom);
    if (box.empty() || pen.style == PenStyle::None)
        return;
    const double cx = (box.left + box.right - 1) / 2.0;
    const double cy = (box.top + box.bottom - 1) / 2.0;
    const double from = angleOf(xStart - cx, yStart - cy);
    double span = angleOf(xEnd - cx, yEnd - cy) - from;
    if (span <= 1e-12)
        span += 2 * std::numbers::pi;
    const Box inner = box.shrunk(std::max(pen.width, 1) - 1);
    auto outer = [&](int x, int y) { return insideEllipse(box, x, y); };
    auto shrunk = [&](int x, int y) { return insideEllipse(inner, x, y); };
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x) {
            if (!outer(x, y) || interior(shrunk, x, y))
                continue;
            double offset = angleOf(x - cx, y - cy) - from;
            if (offset < 0)
                offset += 2 * std::numbers::pi;
            if (offset <= span + 1e-9)
                plot(x, y, pen.colour);
        }
    changed(box.rect());
}

void Canvas::polygon(std::span<const QPoint> points, const Pen& pen, const Brush& brush)
{
    if (points.size() < 2)
        return;
    QRect bounds(points[0], QSize(1, 1));
    for (const QPoint& p : points)
        bounds |= QRect(p, QSize(1, 1));
    if (!brush.hollow && points.size() >= 3) {
        std::vector<double> crossings;
        for (int y = bounds.top(); y <= bounds.bottom(); ++y) {
            crossings.clear();
            for (size_t i = 0; i < points.size(); ++i) {
                const QPoint a = points[i];
                const QPoint b = points[(i + 1) % points.size()];
                if (a.y() == b.y())
                    continue;
                const int lo = std::min(a.y(), b.y()), hi = std::max(a.y(), b.y());
                if (y < lo || y >= hi)
                    continue;
                crossings.push_back(a.x() + double(y - a.y()) * (b.x() - a.x()) / (b.y() - a.y()));
            }
            std::sort(crossings.begin(), crossings.end());
            for (size_t i = 0; i + 1 < crossings.size(); i += 2)
                spanFill(y, int(std::ceil(crossings[i])), int(std::floor(crossings[i + 1])),
                         brush.colour);
        }
    }
    int phase = 0;
    for (size_t i = 0; i < points.size(); ++i) {
        const QPoint a = points[i];
        const QPoint b = points[(i + 1) % points.size()];
        lineBody(a.x(), a.y(), b.x(), b.y(), pen, phase);
    }
    const int grow = std::max(pen.width, 1);
    changed(bounds.adjusted(-grow, -grow, grow, grow));
}

QSize Canvas::textSize(std::string_view utf8, const FontSpec& font) const
{
    const QFontMetrics metrics(makeFont(font));
    return QSize(metrics.horizontalAdvance(toQString(utf8)), metrics.height());
}

void Canvas::text(int x, int y, std::string_view utf8, const TextStyle& style)
{
    const QString text = toQString(utf8);
    const QFont font = makeFont(style.font);
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(text);
    int left = x;
    if (style.hAlign == HAlign::Centre)
        left = x - width / 2;
    else if (style.hAlign == HAlign::Right)
        left = x - width;
    int top = y;
    if (style.vAlign == VAlign::Baseline)
        top = y - metrics.ascent();
    else if (style.vAlign == VAlign::Bottom)
        top = y - metrics.height();
    const QRect cell(left, top, width, metrics.height());
    if (style.opaque)
        fill(cell.x(), cell.y(), cell.width(), cell.height(), style.background);
    {
        QPainter painter(image_);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(font);
        painter.setPen(QColor::fromRgb(style.colour));
        painter.drawText(QPoint(left, top + metrics.ascent()), text);
    }
    changed(cell.adjusted(-2, -2, 2, 2));
}

void Canvas::blit(int x, int y, int width, int height, const QImage& source, int sourceX,
                  int sourceY, RasterOp op)
{
    if (source.isNull() || width <= 0 || height <= 0)
        return;
    const QImage rgb =
        source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
            ? source
            : source.convertToFormat(QImage::Format_RGB32);
    // Clip the block to the source bitmap and to the canvas.
    int x0 = std::max({0, -sourceX, -x});
    int y0 = std::max({0, -sourceY, -y});
    int x1 = std::min({width, rgb.width() - sourceX, image_->width() - x});
    int y1 = std::min({height, rgb.height() - sourceY, image_->height() - y});
    if (x0 >= x1 || y0 >= y1)
        return;
    for (int j = y0; j < y1; ++j) {
        const auto* from = reinterpret_cast<const QRgb*>(rgb.constScanLine(sourceY + j));
        auto* to = reinterpret_cast<QRgb*>(image_->scanLine(y + j));
        for (int i = x0; i < x1; ++i) {
            const QRgb s = from[sourceX + i] | 0xff000000u;
            QRgb& d = to[x + i];
            switch (op) {
            case RasterOp::And:
                d = (d & s) | 0xff000000u;
                break;
            case RasterOp::Xor:
                d = (d ^ s) | 0xff000000u;
                break;
            case RasterOp::Copy:
                d = s;
                break;
            }
        }
    }
    changed(QRect(x + x0, y + y0, x1 - x0, y1 - y0));
}

} // namespace gdi
