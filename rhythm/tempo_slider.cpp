#include "rhythm/tempo_slider.h"

#include <algorithm>

bool TempoSlider::onTrack(int x, int y) const
{
    return trackX < x && x < trackX + trackWidth && trackY < y && y < trackY + trackHeight;
}

bool TempoSlider::onThumb(int x, int y) const
{
    return onTrack(x, y) && coversX(x);
}

void TempoSlider::press(int x, int y)
{
    if (!onTrack(x, y))
        return;
    if (coversX(x)) {
        dragging_ = true;
        lastX_ = x;
        return;
    }
    paging_ = true;
    pagePointX_ = x;
    pageStep();
}

void TempoSlider::pageStep()
{
    if (!paging_ || coversX(pagePointX_))
        return;
    moveThumbTo(pagePointX_ > thumbX_ ? thumbX_ + pixelsPerStep : thumbX_ - pixelsPerStep);
}

void TempoSlider::dragTo(int x, int y)
{
    if (!dragging_)
        return;
    bool nearTrack = trackY - dragMargin <= y && y <= trackY + trackHeight + dragMargin;
    if (!nearTrack || x <= trackX || x >= trackX + trackWidth)
        return;
    moveThumbTo(thumbX_ + (x - lastX_));
    lastX_ = x;
}

bool TempoSlider::release()
{
    bool wasMoving = paging_ || dragging_;
    paging_ = false;
    dragging_ = false;
    return wasMoving;
}

void TempoSlider::moveThumbTo(int x)
{
    thumbX_ = std::clamp(x, trackX, trackX + trackWidth - thumbWidth);
}
