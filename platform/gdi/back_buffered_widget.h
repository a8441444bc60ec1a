#pragma once

#include "platform/gdi/canvas.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <vector>

namespace gdi {

// A window that owns a back buffer of its client size. Everything drawn through canvas()
// lands in the buffer at once (whether or not a paint is under way) and schedules a repaint
// of the touched area; paintEvent only copies the buffer to the screen, so uncovering the
// window never needs a redraw.
//
// A subclass that draws the whole window in one go overrides paintWindow(): it runs on the
// first paint and on the next paint after invalidate(), like a window's paint handler after
// its client area was invalidated.
//
// Scaling: after setScale(n) the buffer keeps its size (the drawing coordinates never
// change) and the window shows each buffer pixel as an n × n square of screen pixels,
// nearest-neighbour, whatever the screen's device pixel ratio. Mouse events reach the
// subclass already mapped back to buffer coordinates, so hit tests use the drawn geometry.
class BackBufferedWidget : public QWidget {
public:
    static constexpr int maxScale = 4;

    explicit BackBufferedWidget(QWidget* parent = nullptr, QSize clientSize = {});

    // The canvas over the back buffer; the buffer follows the widget's current size until
    // setScale() fixes it.
    Canvas& canvas();
    const QImage& backBuffer();

    // Asks for paintWindow() to run at the next paint.
    void invalidate();

    // Shows the buffer at `scale` (1..maxScale) screen pixels per buffer pixel and gives the
    // window the matching fixed size. The buffer keeps the size it has now.
    void setScale(int scale);
    // Screen pixels per buffer pixel; 0 while the window follows Qt's own scaling.
    int scale() const { return scale_; }

    // A window of its own over the window that owns it (a report, the Progress
    // window): shown at `scale`, centred over the owner and kept on its screen
    // the first time, drawn afresh, raised and given the focus.
    void presentOverOwner(int scale);
    // Widget (device-independent) pixels per buffer pixel: scale over the device pixel ratio.
    double widgetPerBufferPixel() const;
    // The buffer pixel under a point in widget coordinates (for points that do not come with
    // a mouse event, such as QCursor::pos() mapped from global).
    QPoint toBuffer(QPointF widgetPoint) const;
    // The widget area that shows the buffer area `bufferRect` (for update() calls).
    QRect toWidget(const QRect& bufferRect) const;
    // Puts a child widget over the buffer area `bufferRect`; it keeps covering that area at
    // every later scale. The child draws itself at its own (scaled) size.
    void placeChild(QWidget& child, const QRect& bufferRect);

protected:
    // Draws the whole window into the canvas. The default draws nothing.
    virtual void paintWindow(Canvas& canvas);

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Copies the part of the back buffer that the event asks for to the screen.
    void showBackBuffer(QPaintEvent* event);

private:
    void allocate(QSize size);
    void fitWindowToScale();
    bool forwardMappedMouseEvent(QEvent* event);

    struct PlacedChild {
        QPointer<QWidget> widget;
        QRect bufferRect;
    };
    std::vector<PlacedChild> children_;
    QImage buffer_;
    std::unique_ptr<Canvas> canvas_;
    int scale_ = 0;
    bool needsPaint_ = true;
    bool inPaint_ = false; // drawing inside paintEvent needs no further repaint requests
};

} // namespace gdi
