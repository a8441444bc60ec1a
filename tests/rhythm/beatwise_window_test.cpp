#include "platform/midi/midi_recording.h"
#include "rhythm/beatwise_window.h"
#include "rhythm/trainer_display.h"
#include "tests/rhythm/trainer_fakes.h"
#include "tests/rhythm/window_test_support.h"

#include <QMessageBox>

#include <gtest/gtest.h>

namespace {

struct WindowTest : ::testing::Test {
    ManualClock clock{100000};
    SteadyClock steady;
    RecordingMidiOutputSystem midi{{}, steady};
    RecordingBeeper beeper;
    BeatwiseWindow window{clock, midi, beeper, false};

    void SetUp() override
    {
        window.show();
        ASSERT_TRUE(waitUntil([&] { return !window.introRunning(); }, 15000));
    }
    gdi::Colour at(int x, int y) { return window.backBuffer().pixel(x, y); }
    int statusTextPixels()
    {
        int n = 0;
        for (int y = 181; y < 218; ++y)
            for (int x = 2; x < 388; ++x)
                n += at(x, y) == display::colour::statusText;
        return n;
    }
    std::vector<std::uint32_t> sent() const { return sentMessages(*midi.recording()); }
    void hitAfter(std::uint32_t ms)
    {
        clock.advance(ms);
        tapKey(window, Qt::Key_Space);
    }
};

} // namespace

TEST(BeatwiseWindowPlace, CentredAsAFixedCaptionedWindow)
{
    EXPECT_EQ(BeatwiseWindow::centredPosition(QSize(1024, 768)), QPoint(312, 284));
    ManualClock clock;
    RecordingMidiOutputSystem midi({}, clock);
    RecordingBeeper beeper;
    BeatwiseWindow window(clock, midi, beeper, false);
    EXPECT_EQ(window.size(), QSize(400, 220));
    EXPECT_EQ(window.windowTitle(), "Beatwise");
    EXPECT_TRUE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST_F(WindowTest, IntroLeavesTheInstructionAndDarkLamps)
{
    EXPECT_EQ(at(200, 54), display::lampColour(8, false));
    EXPECT_EQ(at(368, 54), display::lampColour(16, false));
    int yellow = 0;
    for (int x = 30; x < 370; ++x)
        for (int y = 13; y < 37; ++y)
            yellow += at(x, y) == display::colour::yellow;
    EXPECT_GT(yellow, 50);
    EXPECT_EQ(beeper.alerts, 0); // an output was there
}

TEST_F(WindowTest, KeysHitTheDialAndF1AndEscWork)
{
    sendKey(window, QEvent::KeyPress, Qt::Key_A);
    EXPECT_EQ(at(200, 13), display::colour::yellow); // first hit: on the beat
    EXPECT_EQ(at(200, 54), display::lampColour(8, true));
    EXPECT_EQ(at(250, 20), gdi::black); // the instruction is gone
    // Auto-repeat while the key is held counts nothing.
    clock.advance(750);
    sendKey(window, QEvent::KeyRelease, Qt::Key_A, true);
    sendKey(window, QEvent::KeyPress, Qt::Key_A, true);
    EXPECT_EQ(window.trainer().stats().total, 1u);
    sendKey(window, QEvent::KeyRelease, Qt::Key_A);
    EXPECT_EQ(at(200, 13), gdi::black);
    EXPECT_EQ(at(200, 54), display::lampColour(8, false));

    hitAfter(300); // 1050 ms after the first: late at 80 BPM
    hitAfter(750);
    EXPECT_EQ(window.trainer().stats().total, 3u);
    EXPECT_EQ(window.trainer().stats().onTarget, 2u);
    EXPECT_GT(statusTextPixels(), 50);

    sendKey(window, QEvent::KeyPress, Qt::Key_F1);
    auto* box = window.findChild<QMessageBox*>("results");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), "Beatwise results");
    EXPECT_TRUE(box->text().startsWith("Total hits = 3\nRight on (green) target = 2\n"));
    box->accept();
    waitUntil([&] { return window.findChild<QMessageBox*>("results") == nullptr; }, 1000);

    tapKey(window, Qt::Key_Escape);
    EXPECT_EQ(window.trainer().stats().total, 0u);
    EXPECT_EQ(statusTextPixels(), 0);
}

TEST_F(WindowTest, MidiNotesAreHitsAndChordsCountOnce)
{
    window.midiMessageReceived(shortMessage(0x90, 60, 90), clock.milliseconds());
    window.midiMessageReceived(shortMessage(0x90, 64, 90), clock.milliseconds() + 30);
    EXPECT_EQ(window.trainer().stats().total, 1u);
    EXPECT_EQ(at(200, 13), display::colour::yellow);
    window.midiMessageReceived(shortMessage(0x80, 60, 0), clock.milliseconds() + 100);
    EXPECT_EQ(at(200, 13), gdi::black);
    auto m = sent();
    EXPECT_NE(std::find(m.begin(), m.end(), shortMessage(0x90, 64, 90)), m.end());
}

TEST_F(WindowTest, SliderPagesWhileHeldAndDrags)
{
    sendMouse(window, QEvent::MouseButtonPress, 250, 150);
    EXPECT_EQ(window.trainer().slider().tempo(), 81);
    ASSERT_TRUE(waitUntil([&] { return window.trainer().slider().tempo() >= 90; }, 3000));
    sendMouse(window, QEvent::MouseButtonRelease, 250, 150);
    int tempo = window.trainer().slider().tempo();
    waitFor(50);
    EXPECT_EQ(window.trainer().slider().tempo(), tempo); // paging stopped
    int thumbX = window.trainer().slider().thumbX();
    EXPECT_EQ(at(thumbX, 150), gdi::black);

    sendMouse(window, QEvent::MouseButtonPress, thumbX + 8, 150);
    sendMouse(window, QEvent::MouseMove, thumbX + 28, 155);
    sendMouse(window, QEvent::MouseButtonRelease, thumbX + 28, 155);
    EXPECT_EQ(window.trainer().slider().thumbX(), thumbX + 20);
    EXPECT_EQ(at(thumbX + 20, 150), gdi::black);
    EXPECT_EQ(at(thumbX, 150), display::colour::panelBackground);
}

TEST_F(WindowTest, MetronomeButtonStartsAndStopsTheTicks)
{
    midi.recording()->clear();
    sendMouse(window, QEvent::MouseButtonPress, 200, 84);
    EXPECT_TRUE(window.trainer().metronomeRunning());
    EXPECT_EQ(at(151, 71), display::colour::silver); // drawn pressed
    sendMouse(window, QEvent::MouseButtonRelease, 200, 84);
    EXPECT_EQ(at(151, 71), display::colour::lightGrey);
    // 80 BPM: a tick at once and another 750 ms later.
    ASSERT_TRUE(waitUntil([&] { return sent().size() >= 2; }, 3000));
    auto m = midi.recording()->messages();
    EXPECT_EQ(m[0].message, shortMessage(0x99, 68, 120));
    EXPECT_EQ(m[1].message, shortMessage(0x99, 68, 120));
    EXPECT_GE(m[1].arrival - m[0].arrival, std::chrono::milliseconds(745));

    tapKey(window, Qt::Key_Space);
    EXPECT_EQ(window.trainer().stats().total, 1u); // hits go on while it ticks

    sendMouse(window, QEvent::MouseButtonPress, 200, 84);
    sendMouse(window, QEvent::MouseButtonRelease, 200, 84);
    EXPECT_FALSE(window.trainer().metronomeRunning());
    EXPECT_EQ(sent().back(), shortMessage(0x89, 68, 120));
}

TEST_F(WindowTest, HelpButtonShowsOurHelpPage)
{
    sendMouse(window, QEvent::MouseButtonPress, 382, 162);
    sendMouse(window, QEvent::MouseButtonRelease, 382, 162);
    ASSERT_NE(window.helpWindow(), nullptr);
    EXPECT_TRUE(window.helpWindow()->isVisible());
    EXPECT_TRUE(window.helpWindow()->toPlainText().contains("steady beat"));
}
