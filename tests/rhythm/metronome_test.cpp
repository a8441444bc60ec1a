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

TEST(Metronome, TicksAtOnceThenEveryBeatOnChannel10AndEndsWithANoteOff)
{
    SteadyClock clock;
    RecordingMidiOutputSystem midi({}, clock);
    SharedMidiOutput output(midi);
    ASSERT_TRUE(output.open());
    Metronome metronome(output);
    auto start = steady_clock::now();
    ASSERT_TRUE(metronome.start(20));
    EXPECT_TRUE(metronome.running());
    EXPECT_EQ(metronome.beatMilliseconds(), 20u);
    std::this_thread::sleep_for(90ms);
    metronome.stop();
    EXPECT_FALSE(metronome.running());

    auto m = midi.recording()->messages();
    ASSERT_GE(m.size(), 3u);
    EXPECT_EQ(m.back().message, tickOff);
    // The first tick comes at once; tick k is due k beats after the start and
    // is never early, so no beat is doubled.
    EXPECT_LT(m[0].arrival - start, 20ms);
    for (std::size_t k = 0; k + 1 < m.size(); ++k) {
        EXPECT_EQ(m[k].message, tick);
        EXPECT_GE(m[k].arrival - start, k * 20ms) << k;
    }
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(midi.recording()->messages().size(), m.size()); // nothing after the stop

    metronome.stop(); // stopping a stopped metronome sends nothing
    EXPECT_EQ(midi.recording()->messages().size(), m.size());
}

TEST(Metronome, RunsOnlyWithAnOpenOutput)
{
    SteadyClock clock;
    RecordingMidiOutputSystem midi({}, clock);
    midi.failOpen(-1, "no synthesizer");
    SharedMidiOutput output(midi);
    EXPECT_FALSE(output.open());
    Metronome metronome(output);
    EXPECT_FALSE(metronome.start(500));
    EXPECT_FALSE(metronome.running());
    EXPECT_TRUE(sentMessages(*midi.recording()).empty());
}

TEST(Metronome, RestartsAtTheNewBeat)
{
    SteadyClock clock;
    RecordingMidiOutputSystem midi({}, clock);
    SharedMidiOutput output(midi);
    output.open();
    Metronome metronome(output);
    metronome.start(1000);
    ASSERT_TRUE(metronome.restart(500));
    EXPECT_EQ(metronome.beatMilliseconds(), 500u);
    std::this_thread::sleep_for(20ms);
    metronome.stop();
    // A tick, the note-off of the restart, the new immediate tick, the final note-off.
    EXPECT_EQ(sentMessages(*midi.recording()),
              (std::vector<std::uint32_t>{tick, tickOff, tick, tickOff}));
}

TEST(Metronome, OutputCanBeReopenedWhileItTicks)
{
    SteadyClock clock;
    RecordingMidiOutputSystem midi({}, clock);
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
    EXPECT_EQ(midi.openedDevices().size(), 51u);
    EXPECT_TRUE(output.isOpen());
    EXPECT_EQ(sentMessages(*midi.recording()).back(), tickOff);
}
