#pragma once

#include <QTimer>

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

// Runs a list of steps on the GUI thread, each step's action followed by its
// duration, timed by a precise Qt timer so the window keeps painting and
// handling input in between. This replaces the blocking waits of melody
// playback, banners and the intro.
//
// Durations are measured from when each step was due, not from when its timer
// happened to fire, so timer latency does not add up over a long sequence.
// After a hiccup longer than `maxCatchUp` the schedule starts afresh instead of
// rushing the following steps.
//
// Qt timers count whole milliseconds and may fire a millisecond late, so the
// timer is set to wake up to `finalSleep` early and the rest is slept: the GUI
// thread is held for at most a few milliseconds per step, never busy.
class TimedSequence {
public:
    struct Step {
        std::function<void()> action;
        int durationMs = 0;
        // Whether a stop request may end the sequence right after this step
        // (say, after a note-off but not between a note-on and its note-off).
        bool stopPoint = true;
    };
    // Called once at the end; `stopped` is true when a stop request ended it early.
    using Finished = std::function<void(bool stopped)>;

    static constexpr std::chrono::milliseconds maxCatchUp{20};
    static constexpr std::chrono::milliseconds finalSleep{2};

    TimedSequence();
    ~TimedSequence();
    TimedSequence(const TimedSequence&) = delete;
    TimedSequence& operator=(const TimedSequence&) = delete;

    // Starts `steps` at once; a sequence still running is abandoned first.
    void start(std::vector<Step> steps, Finished finished = {});
    // Ends the sequence after the current or next stop point.
    void requestStop() { stopRequested_ = running_; }
    // Abandons the sequence at once: no more actions, no finished call.
    void abort();

    bool isRunning() const { return running_; }
    bool stopRequested() const { return stopRequested_; }

private:
    using Clock = std::chrono::steady_clock;

    void runDueSteps();
    void finish(bool stopped);

    QTimer timer_;
    std::vector<Step> steps_;
    Finished finished_;
    std::size_t next_ = 0;
    Clock::time_point due_;
    bool running_ = false;
    bool stopRequested_ = false;
    std::uint64_t generation_ = 0; // tells a step's action started a new sequence
};
