#include "rhythm/metronome.h"
#include "rhythm/wake_up_lateness.h"
#include "tests/support/poll_until.h"
#include "tests/support/trainer_fakes.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <mutex>
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

// A port with a clock of its own that the test moves: records what is sent
// ahead with its time, and what is sent now.
class ClockedPort final : public MidiOutputPort, public ScheduledOutput {
public:
    struct Timed {
        std::uint32_t message, timeMs;
        bool operator==(const Timed&) const = default;
    };

    std::atomic<std::uint32_t> now{1000};
    std::atomic<bool> clocked{true}; // false: a port still without its clock
    std::mutex mutex;
    std::vector<Timed> ahead;
    Messages sentNow;

    void sendShortMessage(std::uint32_t message) override
    {
        std::lock_guard lock(mutex);
        sentNow.push_back(message);
    }
    void reset() override {}
    void close() override {}
    std::string name() const override { return "clocked"; }
    ScheduledOutput* scheduledOutput() override { return clocked ? this : nullptr; }

    std::uint32_t clockMs() override { return now; }
    void sendAt(std::uint32_t message, std::uint32_t timeMs) override
    {
        std::lock_guard lock(mutex);
        ahead.push_back({message, timeMs});
    }
    void cancelPending() override
    {
        std::lock_guard lock(mutex);
        ahead.clear();
    }
    std::size_t aheadCount()
    {
        std::lock_guard lock(mutex);
        return ahead.size();
    }
};

// Hands out the one ClockedPort (kept by the test) through thin ports.
class ClockedSystem final : public MidiOutputSystem {
public:
    explicit ClockedSystem(ClockedPort& port) : port_(port) {}
    std::vector<std::string> deviceNames() override { return {"clocked"}; }
    OpenResult open(int) override
    {
        return std::unique_ptr<MidiOutputPort>(std::make_unique<Borrowed>(port_));
    }

private:
    struct Borrowed final : MidiOutputPort {
        explicit Borrowed(ClockedPort& port) : port(port) {}
        void sendShortMessage(std::uint32_t message) override { port.sendShortMessage(message); }
        void reset() override {}
        void close() override {}
        std::string name() const override { return port.name(); }
        ScheduledOutput* scheduledOutput() override { return port.scheduledOutput(); }
        ClockedPort& port;
    };
    ClockedPort& port_;
};

} // namespace

TEST(PeriodicTimer, CallsStayOnTheirGrid)
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
    ASSERT_TRUE(output.open());
    metronome.start(1);
    std::atomic<bool> done{false};
    std::thread sender([&] {
        while (!done)
            output.send(0x90, 48, 120);
    });
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(output.reopen());
        std::this_thread::sleep_for(1ms);
    }
    done = true;
    sender.join();
    metronome.stop();
    EXPECT_EQ(midi.openedDevices().size(), 51u);
    EXPECT_TRUE(output.isOpen());
    EXPECT_EQ(sent().back(), metronomeTickOff);
}

// On an output with its own clock every tick is sent ahead at origin + k
// beats on that clock, only as far as the next beat and a margin: a clock
// that stands still (no sound being made) does not pile up ticks.
struct MetronomeOnAClockedOutput : ::testing::Test {
    static constexpr std::uint32_t beat = 20;
    ClockedPort port;
    ClockedSystem system{port};
    SharedMidiOutput output{system};
    Metronome metronome{output};
    void SetUp() override { ASSERT_TRUE(output.open()); }
};

TEST_F(MetronomeOnAClockedOutput, TicksAreScheduledOnTheOutputsClock)
{
    ASSERT_TRUE(metronome.start(beat));

    // Horizon: the next beat and the margin past the clock.
    const std::uint32_t ticksAhead = (beat + Metronome::scheduleMarginMs) / beat + 1;
    std::this_thread::sleep_for(100ms); // several timer calls with the clock still
    EXPECT_EQ(port.aheadCount(), ticksAhead);

    port.now = 1000 + 10 * beat; // ten beats of sound made
    ASSERT_TRUE(pollUntil([&] { return port.aheadCount() == ticksAhead + 10; }));
    metronome.stop();
    std::vector<ClockedPort::Timed> ahead;
    {
        std::lock_guard lock(port.mutex);
        EXPECT_TRUE(port.ahead.empty()); // the stop took back what had not played
        EXPECT_EQ(port.sentNow, Messages{metronomeTickOff});
    }

    // The ticks were all on the beat grid from the start of the sound.
    port.now = 5000;
    port.sentNow.clear();
    ASSERT_TRUE(metronome.start(beat));
    {
        std::lock_guard lock(port.mutex);
        ahead = port.ahead;
    }
    metronome.stop();
    ASSERT_EQ(ahead.size(), ticksAhead);
    for (std::uint32_t k = 0; k < ahead.size(); ++k)
        EXPECT_EQ(ahead[k], (ClockedPort::Timed{metronomeTick, 5000 + k * beat})) << k;
}

// The built-in synthesizer gets its clock once its SoundFont is read: a
// metronome started before ticks when due, and then hands its ticks over.
TEST_F(MetronomeOnAClockedOutput, AClockThatAppearsWhileTickingTakesTheTicksOver)
{
    port.clocked = false;
    ASSERT_TRUE(metronome.start(beat));
    ASSERT_TRUE(pollUntil([&] {
        std::lock_guard lock(port.mutex);
        return port.sentNow.size() >= 3;
    }));
    EXPECT_EQ(port.aheadCount(), 0u);

    port.clocked = true;
    ASSERT_TRUE(pollUntil([&] { return port.aheadCount() > 0; }));
    metronome.stop();
    std::lock_guard lock(port.mutex);
    EXPECT_EQ(port.sentNow.back(), metronomeTickOff);
}

// The timer wakes as much earlier as its wake-ups have lately come late, so a
// machine that wakes it ~2 ms late still gets its calls on time; the lead is
// bounded (CPU cost) and falls back once wake-ups are prompt again.
TEST(WakeUpLateness, TheLeadCoversRecentLateness)
{
    using us = std::chrono::microseconds;
    struct Row {
        const char* name;
        std::vector<us> wakeUps; // lateness of each, in order
        int promptAfter;         // then this many wake-ups on time
        us leadAtLeast, leadAtMost;
    };
    const Row rows[] = {
        {"prompt wake-ups keep the smallest lead", {0us, 20us, 50us}, 0, 300us, 300us},
        {"a 2 ms late wake-up is covered", {0us, 2000us}, 0, 2000us, 3000us},
        {"one late among prompt ones is still covered a while", {2000us}, 3, 1600us, 3000us},
        {"a stall is bounded", {0us, 40000us}, 0, 3000us, 3000us},
        {"prompt wake-ups bring it back", {2000us}, 40, 300us, 700us},
    };
    for (const Row& row : rows) {
        WakeUpLateness lateness;
        for (us late : row.wakeUps)
            lateness.record(late);
        for (int i = 0; i < row.promptAfter; ++i)
            lateness.record(0us);
        EXPECT_GE(lateness.lead(), row.leadAtLeast) << row.name;
        EXPECT_LE(lateness.lead(), row.leadAtMost) << row.name;
    }
}
