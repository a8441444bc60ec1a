// A back-buffered window shown at a whole-number scale: the screen shows the unchanged
// drawing blown up pixel for pixel, and the mouse arrives in drawing coordinates.
#include "platform/gdi/back_buffered_widget.h"
#include "tests/support/event_loop.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QScreen>

#include <vector>

using namespace gdi;

namespace {

constexpr QSize drawingSize(30, 20);

// Draws a picture in which neighbouring pixels differ, so a blow-up that is off by one
// pixel anywhere shows; records where mouse presses and moves land.
class PatternWidget : public BackBufferedWidget {
public:
    PatternWidget() : BackBufferedWidget(nullptr, drawingSize) {}
    std::vector<QPoint> pressedAt, movedTo;

protected:
    void paintWindow(Canvas& canvas) override
    {
        for (int y = 0; y < drawingSize.height(); ++y)
            for (int x = 0; x < drawingSize.width(); ++x)
                canvas.setPixel(x, y, rgb(x * 8, y * 12, (x + y) % 2 ? 255 : 0));
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        pressedAt.push_back(event->position().toPoint());
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        movedTo.push_back(event->position().toPoint());
    }
};

// The first mismatch between `shown` and `drawing` blown up `scale` times, or "" if none.
std::string firstMismatch(const QImage& shown, const QImage& drawing, int scale)
{
    if (shown.size() != drawing.size() * scale)
        return "shown size differs";
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (shown.pixel(x, y) != drawing.pixel(x / scale, y / scale))
                return "pixel " + std::to_string(x) + "," + std::to_string(y);
    return "";
}

QImage onScreen(QWidget& widget)
{
    return widget.screen()
        ->grabWindow(widget.winId())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

class ScaledWindow : public ::testing::TestWithParam<int> {};

TEST_P(ScaledWindow, ShowsTheDrawingBlownUpPixelForPixel)
{
    const int scale = GetParam();
    PatternWidget widget;
    widget.setScale(scale);
    EXPECT_EQ(widget.size(), drawingSize * scale);
    EXPECT_EQ(widget.backBuffer().size(), drawingSize); // drawing coordinates stay
    EXPECT_EQ(firstMismatch(widget.grab().toImage().convertToFormat(QImage::Format_RGB32),
                            widget.backBuffer(), scale),
              "");

    // Later drawing reaches the screen through the area it touched alone.
    widget.show();
    auto screenShowsDrawing = [&] {
        return firstMismatch(onScreen(widget), widget.backBuffer(), scale).empty();
    };
    ASSERT_TRUE(runEventsUntil(screenShowsDrawing));
    widget.canvas().line(3, 7, 11, 7, Pen::solid(white));
    widget.canvas().setPixel(29, 19, white);
    EXPECT_TRUE(runEventsUntil(screenShowsDrawing))
        << firstMismatch(onScreen(widget), widget.backBuffer(), scale);
}

TEST_P(ScaledWindow, MouseEventsArriveInDrawingCoordinates)
{
    const int scale = GetParam();
    PatternWidget widget;
    widget.setScale(scale);
    auto send = [&](QEvent::Type type, QPointF at) {
        QMouseEvent event(type, at, widget.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(&widget, &event);
    };
    // Every screen pixel of a drawn pixel's square belongs to that drawn pixel.
    send(QEvent::MouseButtonPress, QPointF(5 * scale, 4 * scale));
    send(QEvent::MouseButtonPress, QPointF(5 * scale + scale - 1, 4 * scale + scale - 1));
    send(QEvent::MouseButtonPress, QPointF(5 * scale + scale - 0.5, 4 * scale + scale - 0.5));
    send(QEvent::MouseMove, QPointF(30 * scale - 1, 20 * scale - 1));
    EXPECT_EQ(widget.pressedAt, std::vector<QPoint>(3, QPoint(5, 4)));
    EXPECT_EQ(widget.movedTo, std::vector<QPoint>{QPoint(29, 19)});
}

TEST_P(ScaledWindow, APlacedChildCoversItsDrawnAreaAtEveryScale)
{
    const int scale = GetParam();
    PatternWidget widget;
    QWidget child(&widget);
    widget.placeChild(child, QRect(5, 4, 10, 6));
    EXPECT_EQ(child.geometry(), QRect(5, 4, 10, 6));
    widget.setScale(scale);
    EXPECT_EQ(child.geometry(), QRect(5 * scale, 4 * scale, 10 * scale, 6 * scale));
}

INSTANTIATE_TEST_SUITE_P(AtScale, ScaledWindow, ::testing::Values(2, 3));

TEST(ScaledWindowLimits, TheScaleStaysWithinOneToFour)
{
    PatternWidget widget;
    EXPECT_EQ(widget.scale(), 0);
    EXPECT_EQ(widget.toBuffer(QPointF(7.6, 3.2)), QPoint(7, 3));
    widget.setScale(9);
    EXPECT_EQ(widget.scale(), 4);
    EXPECT_EQ(widget.size(), drawingSize * 4);
    widget.setScale(0);
    EXPECT_EQ(widget.scale(), 1);
    EXPECT_EQ(widget.size(), drawingSize);
}

} // namespace
