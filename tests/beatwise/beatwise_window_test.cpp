#include "beatwise/beatwise_window.h"
#include "beatwise/trainer_display.h"
#include "platform/testing/manual_clock.h"
#include "platform/testing/temp_dir.h"
#include "rhythm/session_history.h"
#include "tests/support/event_loop.h"
#include "tests/support/pixel_count.h"
#include "tests/support/trainer_fakes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <chrono>

namespace {

using display::colour::yellow;
using namespace std::chrono_literals;

struct WindowTest : ::testing::Test {
    ManualClock clock{100000};
    SteadyClock steady;
    RecordingMidiOutputSystem midi{{}, steady};
    RecordingBeeper beeper;
    BeatwiseWindow window{clock, midi, beeper, false};
    const PulseTrainer& trainer = window.trainer();

    void SetUp() override
    {
        window.show();
        ASSERT_TRUE(runEventsUntil([&] { return !window.introRunning(); }, 15000ms));
    }
    gdi::Colour at(int x, int y) { return window.backBuffer().pixel(x, y); }
    int count(gdi::Colour c, QRect area) { return countPixels(window.backBuffer(), c, area); }
    void key(QEvent::Type type, int k, bool autoRepeat = false)
    {
        QKeyEvent event(type, k, Qt::NoModifier, k < 0x100 ? QString(QChar(k)) : QString(),
                        autoRepeat);
        QApplication::sendEvent(&window, &event);
    }
    void mouse(QEvent::Type type, int x, int y)
    {
        bool up = type == QEvent::MouseButtonRelease, move = type == QEvent::MouseMove;
        QMouseEvent event(type, QPointF(x, y), window.mapToGlobal(QPointF(x, y)),
                          move ? Qt::NoButton : Qt::LeftButton, up ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(&window, &event);
    }
    void tap(int k)
    {
        key(QEvent::KeyPress, k);
        key(QEvent::KeyRelease, k);
    }
    void click(int x, int y)
    {
        mouse(QEvent::MouseButtonPress, x, y);
        mouse(QEvent::MouseButtonRelease, x, y);
    }
    int statusTextPixels() { return count(display::colour::statusText, {2, 181, 386, 37}); }
    std::vector<std::uint32_t> sent() const { return sentMessages(*midi.recording()); }
};

// F3 steps the window size Automatic, 1, 2, 3 and round again, remembered each time; it
// is a control, never a hit.
TEST_F(WindowTest, F3StepsTheWindowSize)
{
    TempDir dir;
    const gdi::RememberedScale memory(dir.file("window.conf"));
    window.rememberWindowSizeIn(&memory);
    for (std::optional<int> expected : {std::optional<int>(1), std::optional<int>(2),
                                        std::optional<int>(3), std::optional<int>()}) {
        tap(Qt::Key_F3);
        EXPECT_EQ(memory.load(), expected);
        EXPECT_EQ(window.size(), window.backBuffer().size() * window.scale());
    }
    EXPECT_EQ(trainer.stats().total, 0u);
}

// F2 shows the Progress window of the history, the session so far in it; it
// is a control, never a hit, and without a history it does nothing.
TEST_F(WindowTest, F2ShowsTheProgressWithTheSessionSoFar)
{
    tap(Qt::Key_F2);
    EXPECT_EQ(window.progressWindow(), nullptr);

    TempDir dir;
    SessionHistory history(dir.path());
    struct Log final : SessionLog {
        SessionHistory& history;
        explicit Log(SessionHistory& h) : history(h) {}
        void sessionEnded(const SessionRecord& r) override
        {
            ASSERT_TRUE(history.append(r, std::chrono::system_clock::now()));
        }
    } log(history);
    window.recordSessionsIn(&log);
    window.showProgressOf(dir.path());
    for (int i = 0; i < 4; ++i) {
        tap(Qt::Key_Space);
        clock.advance(750);
    }
    tap(Qt::Key_F2);
    ProgressWindow* progress = window.progressWindow();
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(progress->isVisible());
    EXPECT_EQ(progress->size(), kProgressPageSize) << "at the window's own scale, 1";
    ASSERT_EQ(progress->page().charts.size(), 4u);
    EXPECT_EQ(progress->page().charts[0].figure, "1") << "the session so far";
    EXPECT_EQ(trainer.stats().total, 4u) << "F2 is no hit";
}

} // namespace

TEST_F(WindowTest, KeysHitTheDialOnceTheIntroIsLeft)
{
    EXPECT_EQ(BeatwiseWindow::centredPosition(QSize(1024, 768)), QPoint(312, 284));
    EXPECT_EQ(window.size(), QSize(400, 220));
    EXPECT_EQ(window.windowTitle(), "Beatwise");
    EXPECT_TRUE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    tap(Qt::Key_Escape); // a repaint before the first hit keeps the instruction
    EXPECT_GT(count(yellow, {30, 13, 340, 24}), 50); // the instruction, and all lamps dark
    EXPECT_EQ(at(200, 54), display::lampColour(8, false));
    EXPECT_EQ(at(368, 54), display::lampColour(16, false));
    EXPECT_EQ(beeper.alerts, 0); // an output was there

    key(QEvent::KeyPress, Qt::Key_A);
    EXPECT_EQ(at(200, 13), yellow); // first hit: on the beat
    EXPECT_EQ(at(200, 54), display::lampColour(8, true));
    EXPECT_EQ(at(250, 20), gdi::black); // the instruction is gone
    clock.advance(750);
    key(QEvent::KeyRelease, Qt::Key_A, true); // auto-repeat counts nothing
    key(QEvent::KeyPress, Qt::Key_A, true);
    EXPECT_EQ(trainer.stats().total, 1u);
    EXPECT_EQ(at(200, 13), yellow); // still held
    key(QEvent::KeyRelease, Qt::Key_A);
    EXPECT_EQ(at(200, 13), gdi::black);
    EXPECT_EQ(at(200, 54), display::lampColour(8, false));

    clock.advance(300); // 1050 ms after the first: late at 80 BPM
    tap(Qt::Key_Space);
    clock.advance(750);
    tap(Qt::Key_Space);
    EXPECT_GT(statusTextPixels(), 50);

    key(QEvent::KeyPress, Qt::Key_F1);
    auto* box = window.findChild<QMessageBox*>("informed");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), "Beatwise results");
    EXPECT_TRUE(box->text().startsWith("Total hits = 3\nRight on (green) target = 2\n"));
    box->accept();
    runEventsUntil([&] { return window.findChild<QMessageBox*>("informed") == nullptr; }, 1000ms);

    tap(Qt::Key_Escape); // the counts and status lines go; the instruction stays away
    EXPECT_EQ(trainer.stats().total, 0u);
    EXPECT_EQ(statusTextPixels(), 0);
    EXPECT_EQ(count(yellow, {30, 13, 340, 24}), 0);
}

TEST_F(WindowTest, TheMetronomeButtonTogglesTheTicks)
{
    midi.recording()->clear();
    mouse(QEvent::MouseButtonPress, 200, 84);
    EXPECT_TRUE(trainer.metronomeRunning());
    EXPECT_EQ(at(151, 71), display::colour::silver); // drawn pressed
    mouse(QEvent::MouseButtonRelease, 200, 84);
    EXPECT_EQ(at(151, 71), display::colour::lightGrey);
    EXPECT_GT(count(gdi::white, {160, 76, 80, 16}), 20); // the caption turns white
    // 80 BPM: a tick at once and another 750 ms later.
    ASSERT_TRUE(runEventsUntil([&] { return sent().size() >= 2; }, 3000ms));
    auto m = midi.recording()->messages();
    EXPECT_EQ(m[0].message, metronomeTick);
    EXPECT_EQ(m[1].message, metronomeTick);
    EXPECT_GE(m[1].arrival - m[0].arrival, std::chrono::milliseconds(745));

    tap(Qt::Key_Space);
    EXPECT_EQ(trainer.stats().total, 1u); // hits go on while it ticks
    click(200, 84);
    EXPECT_FALSE(trainer.metronomeRunning());
    EXPECT_EQ(sent().back(), metronomeTickOff);
    EXPECT_EQ(count(gdi::white, {160, 76, 80, 16}), 0);

    click(382, 162);
    ASSERT_NE(window.helpWindow(), nullptr);
    EXPECT_TRUE(window.helpWindow()->isVisible());
    EXPECT_TRUE(window.helpWindow()->toPlainText().contains("steady beat"));
}
