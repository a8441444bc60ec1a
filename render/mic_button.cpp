#include "render/mic_button.h"

int micButtonSourceX(bool micOff, bool selected)
{
    return (micOff ? 2 : 0) * kMicFrameWidth + (selected ? kMicFrameWidth : 0);
}

void drawMicButton(gdi::Canvas& dc, const QImage& strip, const QRect& item, bool micOff,
                   bool selected)
{
    dc.blit(item.x(), item.y(), item.width(), item.height(), strip,
            micButtonSourceX(micOff, selected), 0, gdi::RasterOp::Copy);
}
