#include "platform/gdi/back_buffered_widget.h"

#include <gtest/gtest.h>

#include <QImage>

using namespace gdi;

namespace {

constexpr Colour blue = rgb(0, 0, 200);

class CountingWidget : public BackBufferedWidget {
public:
    CountingWidget() : BackBufferedWidget(nullptr, QSize(30, 20)) {}
    int paints = 0;
    QImage shown() { return grab().toImage().convertToFormat(QImage::Format_RGB32); }

protected:
    void paintWindow(Canvas& canvas) override
    {
        ++paints;
        canvas.fill(0, 0, 30, 20, blue);
    }
};

TEST(BackBufferedWidget, PaintShowsOnlyWhatWasDrawnIntoTheBuffer)
{
    CountingWidget widget;
    EXPECT_EQ(widget.shown().pixel(5, 5), blue);
    EXPECT_EQ(widget.paints, 1);

    widget.canvas().line(2, 5, 10, 5, Pen::solid(white));
    EXPECT_EQ(widget.backBuffer().pixel(2, 5), white); // no paint needed
    const QImage shown = widget.shown();
    EXPECT_EQ(widget.paints, 1); // later drawing is shown without a full redraw
    EXPECT_EQ(shown.pixel(9, 5), white);
    EXPECT_EQ(shown.pixel(10, 5), blue);

    widget.invalidate();
    EXPECT_EQ(widget.shown().pixel(5, 5), blue);
    EXPECT_EQ(widget.paints, 2);
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

} // namespace
