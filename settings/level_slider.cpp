#include "settings/level_slider.h"

#include <QMouseEvent>

#include <algorithm>

LevelSlider::LevelSlider(int initial, QWidget* parent)
    : QSlider(Qt::Horizontal, parent), storedValue_(std::clamp(initial, 0, kMaximum))
{
    setRange(0, kMaximum);
    setValue(storedValue_);
    setPageStep(16);
    setTickPosition(QSlider::NoTicks);
}

void LevelSlider::mouseReleaseEvent(QMouseEvent* event)
{
    QSlider::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        store();
}

void LevelSlider::mouseMoveEvent(QMouseEvent* event)
{
    QSlider::mouseMoveEvent(event);
    if (event->buttons() == Qt::LeftButton && event->modifiers() == Qt::NoModifier)
        store();
}

void LevelSlider::store()
{
    storedValue_ = sliderPosition();
    if (stored_)
        stored_(storedValue_);
}

void LevelSlider::storeValue(int value)
{
    setValue(value);
    store();
}
