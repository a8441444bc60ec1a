#include "platform/system/timed_sequence.h"

#include <thread>

TimedSequence::TimedSequence()
{
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        std::this_thread::sleep_until(due_); // the timer woke us a little early
        runDueSteps();
    });
}

TimedSequence::~TimedSequence()
{
    abort();
}

void TimedSequence::start(std::vector<Step> steps, Finished finished)
{
    abort();
    steps_ = std::move(steps);
    finished_ = std::move(finished);
    next_ = 0;
    due_ = Clock::now();
    running_ = true;
    runDueSteps();
}

void TimedSequence::abort()
{
    timer_.stop();
    ++generation_;
    running_ = false;
    stopRequested_ = false;
    steps_.clear();
    finished_ = {};
}

void TimedSequence::runDueSteps()
{
    const auto generation = generation_;
    while (next_ < steps_.size()) {
        // A copy: the action may start another sequence, replacing steps_.
        const Step step = steps_[next_++];
        if (step.action) {
            step.action();
            if (generation != generation_)
                return; // the action started or abandoned a sequence
        }
        if (stopRequested_ && step.stopPoint) {
            finish(true);
            return;
        }
        due_ += std::chrono::milliseconds(step.durationMs);
        auto now = Clock::now();
        if (now > due_ + maxCatchUp)
            due_ = now;
        if (due_ - now > finalSleep) {
            timer_.start(std::chrono::floor<std::chrono::milliseconds>(due_ - now - finalSleep));
            return;
        }
        if (due_ > now)
            std::this_thread::sleep_until(due_);
    }
    finish(false);
}

void TimedSequence::finish(bool stopped)
{
    auto finished = std::move(finished_);
    abort();
    if (finished)
        finished(stopped);
}
