#include "rhythm/metronome.h"
#include "tests/support/poll_until.h"
#include "tests/support/trainer_fakes.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <thread>

using namespace std::chrono;
using namespace std::chrono_literals;

namespace {

using Messages = std::vector<std::uint32_t>;

struct MetronomeTest : ::testing::Test {
    SteadyClock clock;
    RecordingMidiOutputSystem midi{{}, clock};
    SharedMidiOutput output{midi};
    Metronome metronome{output};

    Messages sent() const { return sentMessages(*midi.recording()); }
};

} // namespace

TEST(PeriodicTimer, CallsOnAFixedGridNeverEarlyAndSkipsThoseMissedInAStall)
{
    std::array<steady_clock::duration, 4> calls{};
    std::atomic<std::size_t> made{0};
    PeriodicTimer timer; // stopped before what its calls touch goes
    auto start = steady_clock::now();
    timer.start(10ms, [&] {
        std::size_t k = made;
        if (k == calls.size())
            return;
        calls[k] = steady_clock::now() - start;
        made = k + 1;
        if (k == 1)
            std::this_thread::sleep_for(35ms); // a stall past the calls due at 30, 40 and 50 ms
    });
    ASSERT_TRUE(pollUntil([&] { return made == calls.size(); }));
    timer.stop();
    // The missed calls are skipped rather than made up in a burst.
    std::array<milliseconds, 4> due = {10ms, 20ms, 60ms, 70ms};
    for (std::size_t k = 0; k < calls.size(); ++k)
        EXPECT_GE(calls[k], due[k]) << k;
}

TEST_F(MetronomeTest, TicksOnChannel10AtOnceThenEveryBeatUntilStoppedOrRestarted)
{
    EXPECT_FALSE(metronome.start(20)); // not without an open output
    ASSERT_TRUE(output.open());
    auto start = steady_clock::now();
    ASSERT_TRUE(metronome.start(20));
    auto started = steady_clock::now();
    ASSERT_TRUE(pollUntil([&] { return sent().size() >= 4; }));
    metronome.stop();
    EXPECT_FALSE(metronome.running());

    auto m = midi.recording()->messages();
    EXPECT_EQ(m.back().message, metronomeTickOff);
    // The first tick sounds before start() returns; tick k is due k beats after
    // the start and is never early, so no beat is doubled.
    EXPECT_LE(m[0].arrival, started);
    for (std::size_t k = 0; k + 1 < m.size(); ++k) {
        EXPECT_EQ(m[k].message, metronomeTick) << k;
        EXPECT_GE(m[k].arrival - start, k * 20ms) << k;
    }
    std::this_thread::sleep_for(30ms);
    metronome.stop(); // stopping a stopped metronome sends nothing
    EXPECT_EQ(midi.recording()->messages().size(), m.size()); // nor does anything after the stop

    midi.recording()->clear();
    metronome.start(1000);
    ASSERT_TRUE(metronome.restart(500));
    EXPECT_EQ(metronome.beatMilliseconds(), 500u);
    metronome.stop();
    // A tick, the note-off of the restart, the new immediate tick, the final note-off.
    EXPECT_EQ(sent(), (Messages{metronomeTick, metronomeTickOff, metronomeTick, metronomeTickOff}));
}

TEST_F(MetronomeTest, OutputCanBeReopenedWhileItTicks)
{
    output.open();
    metronome.start(1);
    std::atomic<bool> done{false};
    std::thread sender([&] {
        while (!done)
            output.send(0x90, 48, 120);
    });
    for (int i = 0; i < 50; ++i) {
        output.reopen();
        std::this_thread::sleep_for(1ms);
    }
    done = true;
    sender.join();
    metronome.stop();
    EXPECT_EQ(midi.openedDevices().size(), 51u);
    EXPECT_TRUE(output.isOpen());
    EXPECT_EQ(sent().back(), metronomeTickOff);
}
