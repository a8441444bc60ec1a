#include "platform/gdi/back_buffered_widget.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

namespace gdi {

BackBufferedWidget::BackBufferedWidget(QWidget* parent, QSize clientSize) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (clientSize.isValid() && !clientSize.isEmpty())
        resize(clientSize);
    allocate(size());
}

void BackBufferedWidget::allocate(QSize size)
{
    QImage fresh(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    fresh.fill(Qt::black);
    if (!buffer_.isNull()) {
        QPainter copy(&fresh);
        copy.drawImage(0, 0, buffer_);
    }
    buffer_ = std::move(fresh);
    canvas_ = std::make_unique<Canvas>(buffer_, [this](const QRect& r) {
        if (!inPaint_)
            update(r);
    });
}

Canvas& BackBufferedWidget::canvas()
{
    // A hidden widget gets its resize event only when shown; follow its size at once.
    if (size().expandedTo(QSize(1, 1)) != buffer_.size())
        allocate(size());
    return *canvas_;
}

const QImage& BackBufferedWidget::backBuffer()
{
    canvas();
    return buffer_;
}

void BackBufferedWidget::invalidate()
{
    needsPaint_ = true;
    update();
}

void BackBufferedWidget::paintWindow(Canvas&) {}

void BackBufferedWidget::resizeEvent(QResizeEvent* event)
{
    if (event->size().expandedTo(QSize(1, 1)) != buffer_.size())
        allocate(event->size());
    QWidget::resizeEvent(event);
}

void BackBufferedWidget::showBackBuffer(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(event->rect(), buffer_, event->rect());
}

void BackBufferedWidget::paintEvent(QPaintEvent* event)
{
    if (needsPaint_) {
        needsPaint_ = false;
        inPaint_ = true;
        paintWindow(canvas());
        inPaint_ = false;
        // The whole window may have changed, not only the area the event names.
        QPainter painter(this);
        painter.drawImage(0, 0, buffer_);
        return;
    }
    showBackBuffer(event);
}

} // namespace gdi
