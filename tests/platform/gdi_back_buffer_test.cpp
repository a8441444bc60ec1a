#include "platform/gdi/back_buffered_widget.h"

#include <gtest/gtest.h>

#include <QImage>

using namespace gdi;

TEST(BackBufferedWidget, DrawingLandsInTheBufferAndIsShownByPaint)
{
    BackBufferedWidget widget(nullptr, QSize(60, 40));
    ASSERT_EQ(widget.backBuffer().size(), QSize(60, 40));
    widget.canvas().fill(0, 0, 60, 40, rgb(106, 106, 123));
    widget.canvas().line(10, 20, 50, 20, Pen::solid(black));
    EXPECT_EQ(widget.backBuffer().pixel(10, 20), black); // at once, no paint needed

    const QImage shown = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.pixel(49, 20), black);
    EXPECT_EQ(shown.pixel(50, 20), rgb(106, 106, 123));
}

TEST(BackBufferedWidget, ResizingKeepsWhatWasDrawn)
{
    BackBufferedWidget widget(nullptr, QSize(20, 20));
    widget.canvas().setPixel(5, 5, white);
    widget.resize(40, 30);
    widget.canvas().setPixel(35, 25, white); // the canvas follows the new buffer
    EXPECT_EQ(widget.backBuffer().size(), QSize(40, 30));
    EXPECT_EQ(widget.backBuffer().pixel(5, 5), white);
    EXPECT_EQ(widget.backBuffer().pixel(35, 25), white);
}

namespace {

class CountingWidget : public BackBufferedWidget {
public:
    CountingWidget() : BackBufferedWidget(nullptr, QSize(30, 20)) {}
    int paints = 0;

protected:
    void paintWindow(Canvas& canvas) override
    {
        ++paints;
        canvas.fill(0, 0, 30, 20, rgb(0, 0, 200));
    }
};

} // namespace

TEST(BackBufferedWidget, PaintWindowRunsFirstAndAfterInvalidateOnly)
{
    CountingWidget widget;
    QImage shown = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(widget.paints, 1);
    EXPECT_EQ(shown.pixel(5, 5), rgb(0, 0, 200));

    widget.canvas().setPixel(5, 5, white); // later drawing is shown without a full redraw
    shown = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(widget.paints, 1);
    EXPECT_EQ(shown.pixel(5, 5), white);

    widget.invalidate();
    shown = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(widget.paints, 2);
    EXPECT_EQ(shown.pixel(5, 5), rgb(0, 0, 200));
}
