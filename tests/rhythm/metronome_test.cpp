#include "rhythm/metronome.h"
#include "tests/rhythm/trainer_fakes.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace std::chrono;
using namespace std::chrono_literals;

namespace {

constexpr std::uint32_t tick = shortMessage(0x99, 68, 120);
constexpr std::uint32_t tickOff = shortMessage(0x89, 68, 120);

} // namespace

TEST(PeriodicTimer, CallsOnAFixedGridNeverEarly)
{
    PeriodicTimer timer;
    std::mutex mutex;
    std::vector<steady_clock::time_point> calls;
    auto start = steady_clock::now();
    timer.start(10ms, [&] {
        std::lock_guard lock(mutex);
        calls.push_back(steady_clock::now());
    });
    std::this_thread::sleep_for(55ms);
    timer.stop();
    EXPECT_FALSE(timer.running());
    std::lock_guard lock(mutex);
    ASSERT_GE(calls.size(), 3u);
    for (std::size_t k = 0; k < calls.size(); ++k)
        EXPECT_GE(calls[k] - start, (k + 1) * 10ms) << k;
}

TEST(PeriodicTimer, SkipsCallsMissedDuringAStallInsteadOfBursting)
{
    PeriodicTimer timer;
    std::mutex mutex;
    std::vector<steady_clock::time_point> calls;
    auto start = steady_clock::now();
    timer.start(10ms, [&] {
        std::lock_guard lock(mutex);
        calls.push_back(steady_clock::now());
        if (calls.size() == 1)
            std::this_thread::sleep_for(35ms);
    });
    while (true) {
        std::this_thread::sleep_for(5ms);
        std::lock_guard lock(mutex);
        if (calls.size() >= 2)
            break;
    }
    timer.stop();
    std::lock_guard lock(mutex);
    EXPECT_GE(calls[1] - start, 50ms);
}

TEST(Metronome, TicksAtOnceOnChannel10AndEndsWithANoteOff)
{
    LoggingMidiSystem midi;
    SharedMidiOutput output(midi);
    ASSERT_TRUE(output.open());
    Metronome metronome(output);
    ASSERT_TRUE(metronome.start(20));
    EXPECT_TRUE(metronome.running());
    EXPECT_EQ(metronome.beatMilliseconds(), 20u);
    std::this_thread::sleep_for(70ms);
    metronome.stop();
    EXPECT_FALSE(metronome.running());

    auto m = midi.messages();
    ASSERT_GE(m.size(), 3u);
    EXPECT_EQ(m.back(), tickOff);
    for (std::size_t i = 0; i + 1 < m.size(); ++i)
        EXPECT_EQ(m[i], tick);
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(midi.messages().size(), m.size()); // nothing after the stop

    metronome.stop(); // stopping a stopped metronome sends nothing
    EXPECT_EQ(midi.messages().size(), m.size());
}

TEST(Metronome, RunsOnlyWithAnOpenOutput)
{
    LoggingMidiSystem midi;
    midi.available = false;
    SharedMidiOutput output(midi);
    EXPECT_FALSE(output.open());
    Metronome metronome(output);
    EXPECT_FALSE(metronome.start(500));
    EXPECT_FALSE(metronome.running());
    EXPECT_TRUE(midi.messages().empty());
}

TEST(Metronome, RestartsAtTheNewBeat)
{
    LoggingMidiSystem midi;
    SharedMidiOutput output(midi);
    output.open();
    Metronome metronome(output);
    metronome.start(1000);
    ASSERT_TRUE(metronome.restart(500));
    EXPECT_EQ(metronome.beatMilliseconds(), 500u);
    std::this_thread::sleep_for(20ms);
    metronome.stop();
    // A tick, the note-off of the restart, the new immediate tick, the final note-off.
    EXPECT_EQ(midi.messages(), (std::vector<std::uint32_t>{tick, tickOff, tick, tickOff}));
}

TEST(Metronome, OutputCanBeReopenedWhileItTicks)
{
    LoggingMidiSystem midi;
    SharedMidiOutput output(midi);
    output.open();
    Metronome metronome(output);
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
    EXPECT_EQ(midi.log->opens, 51);
    EXPECT_TRUE(output.isOpen());
    EXPECT_EQ(midi.messages().back(), tickOff);
}
