#include "solfara/mic_button_widget.h"

#include "platform/gdi/canvas.h"
#include "render/mic_button.h"

#include <QMouseEvent>
#include <QPainter>

MicButtonWidget::MicButtonWidget(const QImage& strip, QWidget* parent)
    : QWidget(parent), strip_(strip)
{
    setGeometry(39, 409, kMicFrameWidth, 24);
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
    QImage face(size(), QImage::Format_RGB32);
    face.fill(Qt::black);
    gdi::Canvas dc(face);
    drawMicButton(dc, strip_, rect(), micOff_, selected_);
    QPainter(this).drawImage(0, 0, face);
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
