#pragma once

#include "platform/gdi/canvas.h"

#include <QImage>
#include <QRect>

// The microphone button's strip holds four 26-pixel frames side by side: listening,
// listening pressed, listening off, listening off pressed.
inline constexpr int kMicFrameWidth = 26;

// Left edge of the frame for the button's state.
int micButtonSourceX(bool micOff, bool selected);

// Copies the frame for the state unscaled into the item rectangle.
void drawMicButton(gdi::Canvas& dc, const QImage& strip, const QRect& item, bool micOff,
                   bool selected);
