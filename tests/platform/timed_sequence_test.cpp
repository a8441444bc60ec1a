#include "platform/system/timed_sequence.h"

#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

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
    void runEventsFor(int ms)
    {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    }
};

TEST_F(TimedSequenceTest, RunsStepsInOrderAndFinishesOnce)
{
    sequence.start({step('a', 3), step('b', 0), step('c', 2)}, finished());
    EXPECT_EQ(log, "a"); // the first action runs at once, the rest after their waits
    EXPECT_TRUE(sequence.isRunning());
    runEventsFor(40);
    EXPECT_EQ(log, "abc.");
    EXPECT_EQ(stopped, false);
    EXPECT_FALSE(sequence.isRunning());
}

TEST_F(TimedSequenceTest, StepsWithoutWaitRunTogether)
{
    sequence.start({step('a', 0), step('b', 0)}, finished());
    EXPECT_EQ(log, "ab.");
}

TEST_F(TimedSequenceTest, StopTakesEffectAtTheNextStopPoint)
{
    sequence.start({step('a', 5, false), step('b', 5, false), step('c', 5), step('d', 5)},
                   finished());
    sequence.requestStop();
    runEventsFor(60);
    EXPECT_EQ(log, "abc.");
    EXPECT_EQ(stopped, true);
}

TEST_F(TimedSequenceTest, AbortEndsAtOnceWithoutFinishing)
{
    sequence.start({step('a', 5), step('b', 5)}, finished());
    sequence.abort();
    runEventsFor(20);
    EXPECT_EQ(log, "a");
    EXPECT_FALSE(stopped);
    sequence.requestStop(); // nothing running: ignored
    EXPECT_FALSE(sequence.stopRequested());
}

TEST_F(TimedSequenceTest, FinishedCallbackMayStartTheNextSequence)
{
    int rounds = 0;
    std::function<void(bool)> again = [&](bool) {
        if (++rounds < 3)
            sequence.start({step('x', 1)}, again);
    };
    sequence.start({step('x', 1)}, again);
    runEventsFor(40);
    EXPECT_EQ(log, "xxx");
    EXPECT_EQ(rounds, 3);
}

TEST_F(TimedSequenceTest, AnActionMayReplaceTheRunningSequence)
{
    sequence.start({{[&] { sequence.start({step('n', 0)}, finished()); }, 5}, step('z', 0)});
    EXPECT_EQ(log, "n.");
    runEventsFor(20);
    EXPECT_EQ(log, "n.");
}

} // namespace
