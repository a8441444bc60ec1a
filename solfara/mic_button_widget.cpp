#include "solfara/mic_button_widget.h"

#include "platform/gdi/canvas.h"
#include "render/mic_button.h"

#include <QMouseEvent>
#include <QPainter>

MicButtonWidget::MicButtonWidget(const QImage& strip, QWidget* parent)
    : QWidget(parent), strip_(strip)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MicButtonWidget::setMicOff(bool off)
{
    micOff_ = off;
    update();
}

void MicButtonWidget::paintEvent(QPaintEvent*)
{
    // Drawn at its size in the window's drawing, then shown at the window's scale.
    QImage face(drawnPlace.size(), QImage::Format_RGB32);
    face.fill(Qt::black);
    gdi::Canvas dc(face);
    drawMicButton(dc, strip_, face.rect(), micOff_, selected_);
    QPainter(this).drawImage(rect(), face);
}

void MicButtonWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    selected_ = true;
    update();
}

void MicButtonWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !selected_)
        return;
    selected_ = false;
    update();
    if (rect().contains(event->position().toPoint()) && clicked)
        clicked();
}
