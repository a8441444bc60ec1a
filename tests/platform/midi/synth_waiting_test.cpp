// What the built-in synthesizer does with messages sent while it still reads
// its SoundFont, and how its stream's buffer answers underruns.
#include "platform/midi/internal/stream_buffer_policy.h"
#include "platform/midi/internal/waiting_messages.h"
#include "platform/midi/short_message.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using ::testing::ElementsAre;
using ::testing::Pair;

// A synthesizer's clock standing at `now`, recording what is sent ahead.
struct ClockedRecording final : ScheduledOutput {
    std::uint32_t now = 0;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> sent; // message, time
    std::uint32_t clockMs() override { return now; }
    void sendAt(std::uint32_t message, std::uint32_t timeMs) override
    {
        sent.emplace_back(message, timeMs);
    }
    void cancelPending() override {}
};

constexpr std::uint32_t piano = packShortMessage(0xC0, 0, 0);
constexpr std::uint32_t noteOn = packShortMessage(0x90, 60, 100);
constexpr std::uint32_t noteOff = packShortMessage(0x80, 60, 64);
constexpr std::uint32_t volume = packShortMessage(0xB0, 7, 90);

TEST(WaitingMessages, PlayInOrderWithTheirSpacingFromTheSynthesizersNow)
{
    WaitingMessages waiting;
    waiting.add(piano, 1000);
    waiting.add(noteOn, 1000);
    waiting.add(noteOff, 1120); // a key held for 120 ms during loading
    ClockedRecording synth;
    synth.now = 37;
    waiting.replayOn(synth);
    EXPECT_THAT(synth.sent, ElementsAre(Pair(piano, 37u), Pair(noteOn, 37u), Pair(noteOff, 157u)));
    EXPECT_EQ(waiting.size(), 0u);

    // Once played they are gone: a second replay sends nothing.
    waiting.replayOn(synth);
    EXPECT_EQ(synth.sent.size(), 3u);
}

TEST(WaitingMessages, AResetDropsNotesAndControllersButKeepsTimbres)
{
    WaitingMessages waiting;
    waiting.add(piano, 0);
    waiting.add(noteOn, 5);
    waiting.add(volume, 6);
    waiting.reset();
    waiting.add(noteOff, 9);
    waiting.add(noteOn, 10);
    waiting.add(packShortMessage(0xFF, 0, 0), 11); // a system reset says the same
    waiting.add(packShortMessage(0xF8, 0, 0), 12); // a clock tick plays nothing
    ClockedRecording synth;
    waiting.replayOn(synth);
    EXPECT_THAT(synth.sent, ElementsAre(Pair(piano, 0u)));
}

TEST(WaitingMessages, AClockThatWrapsKeepsTheSpacing)
{
    WaitingMessages waiting;
    waiting.add(noteOn, 0xFFFFFFF0u);
    waiting.add(noteOff, 0x10u); // 32 ms later, past the wrap
    ClockedRecording synth;
    synth.now = 100;
    waiting.replayOn(synth);
    EXPECT_THAT(synth.sent, ElementsAre(Pair(noteOn, 100u), Pair(noteOff, 132u)));
}

TEST(WaitingMessages, ASenderGoneWildIsBoundedByTheCapacity)
{
    WaitingMessages waiting;
    for (std::size_t i = 0; i < WaitingMessages::capacity + 10; ++i)
        waiting.add(noteOn, 0);
    EXPECT_EQ(waiting.size(), WaitingMessages::capacity);
}

TEST(StreamBufferPolicy, EachUnderrunGrowsTheBufferByHalfUpToItsBound)
{
    StreamBufferPolicy policy;
    EXPECT_EQ(policy.targetMs(), StreamBufferPolicy::initialMs);
    std::vector<int> targets;
    std::uint32_t now = 10'000;
    while (policy.underrun(now)) {
        targets.push_back(policy.targetMs());
        now += StreamBufferPolicy::settleMs;
    }
    EXPECT_THAT(targets, ElementsAre(45, 68, 102, 153, 230, 250));
    EXPECT_EQ(policy.underruns(), 7); // the last one found the bound reached
}

TEST(StreamBufferPolicy, UnderrunsOfOneStallGrowTheBufferOnce)
{
    StreamBufferPolicy policy;
    EXPECT_TRUE(policy.underrun(5000));
    EXPECT_FALSE(policy.underrun(5010));
    EXPECT_FALSE(policy.underrun(5000 + StreamBufferPolicy::settleMs - 1));
    EXPECT_EQ(policy.targetMs(), 45);
    EXPECT_TRUE(policy.underrun(5000 + StreamBufferPolicy::settleMs));
    EXPECT_EQ(policy.targetMs(), 68);
    EXPECT_EQ(policy.underruns(), 4);

    // The very first underrun grows it whatever the clock reads.
    StreamBufferPolicy atZero;
    EXPECT_TRUE(atZero.underrun(0));
}

} // namespace
