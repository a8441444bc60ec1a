// The beatwise window shown at scale 2 and 3 next to one at 1×: the same drawing, blown up,
// and the mouse finding the same controls.
#include "beatwise/beatwise_window.h"
#include "beatwise/trainer_display.h"
#include "platform/testing/manual_clock.h"
#include "tests/support/event_loop.h"
#include "tests/support/trainer_fakes.h"

#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace {

struct ScaledBeatwise : ::testing::TestWithParam<int> {
    ManualClock clock{100000};
    SteadyClock steady;
    RecordingMidiOutputSystem midi{{}, steady};
    RecordingBeeper beeper;
    BeatwiseWindow unscaled{clock, midi, beeper, false};
    BeatwiseWindow scaled{clock, midi, beeper, false};
    const int scale = GetParam();

    void SetUp() override
    {
        scaled.setScale(scale);
        unscaled.show();
        scaled.show();
        ASSERT_TRUE(runEventsUntil([&] { return !unscaled.introRunning(); }));
        ASSERT_TRUE(runEventsUntil([&] { return !scaled.introRunning(); }));
    }
    static void mouse(BeatwiseWindow& window, QEvent::Type type, QPoint at)
    {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(at), window.mapToGlobal(QPointF(at)),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                          Qt::NoModifier);
        QApplication::sendEvent(&window, &event);
    }
    // Whether a press at `at` (in widget coordinates) presses the metronome button.
    static bool pressesMetronomeButton(BeatwiseWindow& window, QPoint at)
    {
        mouse(window, QEvent::MouseButtonPress, at);
        const bool pressed = window.trainer().metronomeButtonPressed();
        mouse(window, QEvent::MouseButtonRelease, at);
        return pressed;
    }
};

TEST_P(ScaledBeatwise, ShowsTheSameDrawingBlownUpPixelForPixel)
{
    ASSERT_EQ(scaled.backBuffer(), unscaled.backBuffer());
    const QImage shown = scaled.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(display::clientWidth, display::clientHeight) * scale);
    const QImage drawing = unscaled.backBuffer();
    int wrong = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            wrong += shown.pixel(x, y) != drawing.pixel(x / scale, y / scale);
    EXPECT_EQ(wrong, 0);
}

TEST_P(ScaledBeatwise, EveryScreenPixelOfADrawnPixelHitsTheSameControlAsAtOneTimes)
{
    struct Row {
        const char* name;
        QPoint drawn;
        bool onButton;
    };
    // The button takes presses strictly between its left and right edges and between its top
    // and bottom edges.
    const display::Box button = display::metronomeButton;
    const int left = button.x, top = button.y;
    const int right = button.x + button.width, bottom = button.y + button.height;
    const Row rows[] = {
        {"first pixel inside", {left + 1, top + 1}, true},
        {"last pixel inside", {right - 1, bottom - 1}, true},
        {"on the left edge", {left, top + 10}, false},
        {"on the right edge", {right, top + 10}, false},
        {"on the top edge", {left + 50, top}, false},
        {"on the bottom edge", {left + 50, bottom}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const bool atOneTimes = pressesMetronomeButton(unscaled, row.drawn);
        EXPECT_EQ(atOneTimes, row.onButton);
        const QPoint square = row.drawn * scale;
        EXPECT_EQ(pressesMetronomeButton(scaled, square), atOneTimes);
        EXPECT_EQ(pressesMetronomeButton(scaled, square + QPoint(scale - 1, scale - 1)),
                  atOneTimes);
    }
}

TEST_P(ScaledBeatwise, TheSliderThumbFollowsADragInDrawnPixels)
{
    const int thumbX = scaled.trainer().slider().thumbX();
    mouse(scaled, QEvent::MouseButtonPress, QPoint(thumbX + 8, 150) * scale);
    mouse(scaled, QEvent::MouseMove, QPoint(thumbX + 28, 155) * scale + QPoint(scale - 1, 0));
    mouse(scaled, QEvent::MouseButtonRelease, QPoint(thumbX + 28, 155) * scale);
    EXPECT_EQ(scaled.trainer().slider().thumbX(), thumbX + 20);
}

INSTANTIATE_TEST_SUITE_P(AtScale, ScaledBeatwise, ::testing::Values(2, 3));

} // namespace
