#pragma once

#include "platform/gdi/canvas.h"

#include <QImage>
#include <QWidget>

#include <memory>

namespace gdi {

// A window that owns a back buffer of its client size. Everything drawn through canvas()
// lands in the buffer at once (whether or not a paint is under way) and schedules a repaint
// of the touched area; paintEvent only copies the buffer to the screen, so uncovering the
// window never needs a redraw.
//
// A subclass that draws the whole window in one go overrides paintWindow(): it runs on the
// first paint and on the next paint after invalidate(), like a window's paint handler after
// its client area was invalidated.
class BackBufferedWidget : public QWidget {
public:
    explicit BackBufferedWidget(QWidget* parent = nullptr, QSize clientSize = {});

    // The canvas over the back buffer; the buffer follows the widget's current size.
    Canvas& canvas();
    const QImage& backBuffer();

    // Asks for paintWindow() to run at the next paint.
    void invalidate();

protected:
    // Draws the whole window into the canvas. The default draws nothing.
    virtual void paintWindow(Canvas& canvas);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Copies the part of the back buffer that the event asks for to the screen.
    void showBackBuffer(QPaintEvent* event);

private:
    void allocate(QSize size);

    QImage buffer_;
    std::unique_ptr<Canvas> canvas_;
    bool needsPaint_ = true;
    bool inPaint_ = false; // drawing inside paintEvent needs no further repaint requests
};

} // namespace gdi
