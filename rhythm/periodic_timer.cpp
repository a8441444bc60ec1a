#include "rhythm/periodic_timer.h"

#include "platform/realtime/realtime_priority.h"
#include "rhythm/wake_up_lateness.h"

PeriodicTimer::~PeriodicTimer()
{
    stop();
}

void PeriodicTimer::start(std::chrono::microseconds period, Callback callback)
{
    stop();
    {
        std::lock_guard lock(mutex_);
        stopRequested_ = false;
    }
    auto first = std::chrono::steady_clock::now() + period;
    thread_ = std::thread(
        [this, first, period, callback = std::move(callback)] { run(first, period, callback); });
}

void PeriodicTimer::stop()
{
    if (!thread_.joinable())
        return;
    {
        std::lock_guard lock(mutex_);
        stopRequested_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void PeriodicTimer::run(std::chrono::steady_clock::time_point first,
                        std::chrono::microseconds period, const Callback& callback)
{
    makeThisThreadRealTime();
    WakeUpLateness lateness;
    auto due = first;
    for (;;) {
        // Sleep until a little before the call is due, by as much as recent
        // wake-ups came late, and watch the clock for the rest.
        const auto wakeUp = due - lateness.lead();
        const bool asleep = wakeUp > std::chrono::steady_clock::now(); // else nothing to learn
        {
            // An interruptible sleep_until on the steady clock: stop() wakes it.
            std::unique_lock lock(mutex_);
            if (wake_.wait_until(lock, wakeUp, [this] { return stopRequested_; }))
                return;
        }
        if (asleep)
            lateness.record(std::chrono::duration_cast<WakeUpLateness::Duration>(
                std::chrono::steady_clock::now() - wakeUp));
        while (std::chrono::steady_clock::now() < due) {
        }
        callback();
        due += period;
        auto now = std::chrono::steady_clock::now();
        if (now >= due)
            due += period * ((now - due) / period + 1);
    }
}
