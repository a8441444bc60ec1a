#include "platform/system/timed_sequence.h"
#include "tests/support/event_loop.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

// Only the order of what happens is checked: the timing is measured in bench/.
struct TimedSequenceTest : testing::Test {
    TimedSequence sequence;
    std::string log;
    std::optional<bool> stopped;

    TimedSequence::Step step(char c, int ms, bool stopPoint = true)
    {
        return {[this, c] { log += c; }, ms, stopPoint};
    }
    TimedSequence::Finished finished()
    {
        return [this](bool s) {
            log += '.';
            stopped = s;
        };
    }
    bool finishes()
    {
        return runEventsUntil([&] { return stopped.has_value(); });
    }
};

TEST_F(TimedSequenceTest, StepsRunInOrderThenFinishOnce)
{
    // Steps without a wait run together, the rest after their waits (long
    // enough that a busy machine does not run them at once).
    sequence.start({step('a', 0), step('b', 50), step('c', 0), step('d', 2)}, finished());
    EXPECT_EQ(log, "ab");
    EXPECT_TRUE(sequence.isRunning());
    ASSERT_TRUE(finishes());
    EXPECT_EQ(log, "abcd.");
    EXPECT_EQ(stopped, false);
    EXPECT_FALSE(sequence.isRunning());
}

TEST_F(TimedSequenceTest, StopTakesEffectAtTheNextStopPoint)
{
    sequence.start({step('a', 50, false), step('b', 0, false), step('c', 0), step('d', 0)},
                   finished());
    sequence.requestStop();
    ASSERT_TRUE(finishes());
    EXPECT_EQ(log, "abc.");
    EXPECT_EQ(stopped, true);
}

TEST_F(TimedSequenceTest, AbortEndsAtOnceWithoutFinishing)
{
    sequence.start({step('a', 50), step('b', 0)}, finished());
    sequence.abort();
    EXPECT_FALSE(sequence.isRunning());
    EXPECT_FALSE(runEventsUntil([&] { return log != "a"; }, std::chrono::milliseconds(30)));
    EXPECT_FALSE(stopped);
    sequence.requestStop(); // nothing running: ignored
    EXPECT_FALSE(sequence.stopRequested());
}

TEST_F(TimedSequenceTest, FinishedCallbackOrAnActionMayStartTheNextSequence)
{
    int rounds = 0;
    std::function<void(bool)> again = [&](bool) {
        if (++rounds < 3)
            sequence.start({step('x', 1)}, again);
    };
    sequence.start({step('x', 1)}, again);
    ASSERT_TRUE(runEventsUntil([&] { return rounds == 3; }));
    EXPECT_EQ(log, "xxx");

    log.clear();
    sequence.start({{[&] { sequence.start({step('n', 0)}, finished()); }, 5}, step('z', 0)});
    EXPECT_EQ(log, "n.");
    EXPECT_FALSE(runEventsUntil([&] { return log != "n."; }, std::chrono::milliseconds(30)));
}

} // namespace
