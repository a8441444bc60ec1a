#include "rhythm/metronome.h"
#include "tests/rhythm/trainer_fakes.h"

#include <gtest/gtest.h>

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

// Polls `done` until it holds or ten seconds have passed; true if it held.
template <typename Done> bool waitUntil(Done done)
{
    for (auto end = steady_clock::now() + 10s; !done(); std::this_thread::sleep_for(5ms))
        if (steady_clock::now() > end)
            return false;
    return true;
}

} // namespace

TEST(PeriodicTimer, CallsOnAFixedGridNeverEarlyAndSkipsThoseMissedInAStall)
{
    std::mutex mutex;
    std::vector<steady_clock::duration> calls;
    PeriodicTimer timer; // stopped before what its calls touch goes
    auto start = steady_clock::now();
    timer.start(10ms, [&] {
        std::size_t made;
        {
            std::lock_guard lock(mutex);
            calls.push_back(steady_clock::now() - start);
            made = calls.size();
        }
        if (made == 2)
            std::this_thread::sleep_for(35ms); // a stall past the calls due at 30, 40 and 50 ms
    });
    ASSERT_TRUE(waitUntil([&] {
        std::lock_guard lock(mutex);
        return calls.size() >= 4;
    }));
    timer.stop();
    EXPECT_FALSE(timer.running());
    std::lock_guard lock(mutex);
    EXPECT_GE(calls[0], 10ms);
    EXPECT_GE(calls[1], 20ms);
    // The missed calls are skipped rather than made up in a burst.
    EXPECT_GE(calls[2], 60ms);
    EXPECT_GE(calls[3], 70ms);
}

TEST_F(MetronomeTest, TicksAtOnceThenEveryBeatOnChannel10AndEndsWithANoteOff)
{
    ASSERT_TRUE(output.open());
    auto start = steady_clock::now();
    ASSERT_TRUE(metronome.start(20));
    auto started = steady_clock::now();
    EXPECT_TRUE(metronome.running());
    ASSERT_TRUE(waitUntil([&] { return sent().size() >= 4; }));
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
}

TEST_F(MetronomeTest, RunsOnlyWithAnOpenOutputAndRestartsAtTheNewBeat)
{
    EXPECT_FALSE(metronome.start(500));
    EXPECT_FALSE(metronome.running());
    EXPECT_TRUE(sent().empty());

    ASSERT_TRUE(output.open());
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
