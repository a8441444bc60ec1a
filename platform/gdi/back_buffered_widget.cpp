#include "platform/gdi/back_buffered_widget.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QResizeEvent>
#include <QScreen>

#include <algorithm>
#include <cmath>

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
            update(toWidget(r));
    });
}

Canvas& BackBufferedWidget::canvas()
{
    // A hidden widget gets its resize event only when shown; follow its size at once.
    if (scale_ == 0 && size().expandedTo(QSize(1, 1)) != buffer_.size())
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

void BackBufferedWidget::setScale(int scale)
{
    canvas(); // the buffer takes the window's size one last time
    scale_ = std::clamp(scale, 1, maxScale);
    fitWindowToScale();
    update();
}

void BackBufferedWidget::fitWindowToScale()
{
    // Widget sizes are in Qt's device-independent pixels; round up so that no drawn pixel
    // is cut off on a screen with a fractional device pixel ratio.
    const double factor = widgetPerBufferPixel();
    auto widgetLength = [&](int bufferLength) {
        return static_cast<int>(std::ceil(bufferLength * factor - 1e-6));
    };
    setFixedSize(widgetLength(buffer_.width()), widgetLength(buffer_.height()));
    for (const PlacedChild& child : children_)
        if (child.widget)
            child.widget->setGeometry(toWidget(child.bufferRect));
}

void BackBufferedWidget::placeChild(QWidget& child, const QRect& bufferRect)
{
    children_.push_back({&child, bufferRect});
    child.setGeometry(toWidget(bufferRect));
}

double BackBufferedWidget::widgetPerBufferPixel() const
{
    return scale_ == 0 ? 1.0 : scale_ / devicePixelRatioF();
}

QPoint BackBufferedWidget::toBuffer(QPointF widgetPoint) const
{
    const double factor = widgetPerBufferPixel();
    return {static_cast<int>(std::floor(widgetPoint.x() / factor)),
            static_cast<int>(std::floor(widgetPoint.y() / factor))};
}

QRect BackBufferedWidget::toWidget(const QRect& bufferRect) const
{
    if (scale_ == 0)
        return bufferRect;
    const double factor = widgetPerBufferPixel();
    return QRectF(bufferRect.x() * factor, bufferRect.y() * factor, bufferRect.width() * factor,
                  bufferRect.height() * factor)
        .toAlignedRect();
}

void BackBufferedWidget::paintWindow(Canvas&) {}

bool BackBufferedWidget::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        if (scale_ != 0)
            return forwardMappedMouseEvent(event);
        break;
    case QEvent::ScreenChangeInternal: // another screen may have another pixel ratio
        if (scale_ != 0)
            fitWindowToScale();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

bool BackBufferedWidget::forwardMappedMouseEvent(QEvent* event)
{
    const auto* original = static_cast<QMouseEvent*>(event);
    QMouseEvent mapped(original->type(), QPointF(toBuffer(original->position())),
                       original->scenePosition(), original->globalPosition(), original->button(),
                       original->buttons(), original->modifiers(), original->pointingDevice());
    mapped.setTimestamp(original->timestamp());
    mapped.setAccepted(original->isAccepted());
    const bool handled = QWidget::event(&mapped);
    event->setAccepted(mapped.isAccepted());
    return handled;
}

void BackBufferedWidget::resizeEvent(QResizeEvent* event)
{
    if (scale_ == 0 && event->size().expandedTo(QSize(1, 1)) != buffer_.size())
        allocate(event->size());
    QWidget::resizeEvent(event);
}

void BackBufferedWidget::showBackBuffer(QPaintEvent* event)
{
    QPainter painter(this);
    if (scale_ == 0) {
        painter.drawImage(event->rect(), buffer_, event->rect());
        return;
    }
    // Paint in device pixels, where each buffer pixel covers exactly scale × scale of them;
    // without smooth transformation the painter scales nearest-neighbour.
    const double devicePerWidgetPixel = devicePixelRatioF();
    painter.setWorldTransform(
        QTransform::fromScale(1 / devicePerWidgetPixel, 1 / devicePerWidgetPixel));
    const QRectF asked = event->rect().toRectF();
    const double bufferPerWidgetPixel = devicePerWidgetPixel / scale_;
    const QRect source =
        QRectF(asked.x() * bufferPerWidgetPixel, asked.y() * bufferPerWidgetPixel,
               asked.width() * bufferPerWidgetPixel, asked.height() * bufferPerWidgetPixel)
            .toAlignedRect() &
        buffer_.rect();
    painter.drawImage(QRect(source.topLeft() * scale_, source.size() * scale_), buffer_, source);
    // With a fractional pixel ratio the window may reach a device pixel beyond the drawing.
    const QRegion beyond =
        QRegion(QRectF(asked.topLeft() * devicePerWidgetPixel, asked.size() * devicePerWidgetPixel)
                    .toAlignedRect()) -
        QRect(QPoint(0, 0), buffer_.size() * scale_);
    for (const QRect& strip : beyond)
        painter.fillRect(strip, Qt::black);
}

void BackBufferedWidget::paintEvent(QPaintEvent* event)
{
    if (needsPaint_) {
        needsPaint_ = false;
        inPaint_ = true;
        paintWindow(canvas());
        inPaint_ = false;
        // The whole window may have changed, not only the area the event names.
        QPaintEvent whole(rect());
        showBackBuffer(&whole);
        return;
    }
    showBackBuffer(event);
}

void BackBufferedWidget::presentOverOwner(int scale)
{
    const bool placed = isVisible();
    setScale(std::max(1, scale));
    if (!placed && parentWidget()) {
        const QRect owner = parentWidget()->window()->frameGeometry();
        QPoint topLeft = owner.center() - QPoint(width() / 2, height() / 2);
        if (const QScreen* screen = parentWidget()->screen()) {
            const QRect room = screen->availableGeometry();
            topLeft.setX(std::clamp(topLeft.x(), room.left(),
                                    std::max(room.left(), room.right() - width())));
            topLeft.setY(std::clamp(topLeft.y(), room.top(),
                                    std::max(room.top(), room.bottom() - height())));
        }
        move(topLeft);
    }
    invalidate();
    update();
    show();
    raise();
    activateWindow();
}

} // namespace gdi
