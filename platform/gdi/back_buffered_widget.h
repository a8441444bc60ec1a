#pragma once

#include "platform/gdi/canvas.h"

#include <QImage>
#include <QWidget>

#include <memory>

namespace gdi {

// A window that owns a back buffer of its client size. Everything drawn through canvas()
// lands in the buffer at once (whether or not a paint is under way) and schedules a repaint
// of the touched area; paintEvent only copies the buffer to the screen. A subclass that
// wants to redraw everything when the window is exposed overrides paintEvent, draws into
// canvas() and then calls showBackBuffer().
class BackBufferedWidget : public QWidget {
public:
    explicit BackBufferedWidget(QWidget* parent = nullptr, QSize clientSize = {});

    // The canvas over the back buffer; the buffer follows the widget's current size.
    Canvas& canvas();
    const QImage& backBuffer();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Copies the part of the back buffer that the event asks for to the screen.
    void showBackBuffer(QPaintEvent* event);

private:
    void allocate(QSize size);

    QImage buffer_;
    std::unique_ptr<Canvas> canvas_;
};

} // namespace gdi
