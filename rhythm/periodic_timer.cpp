#include "rhythm/periodic_timer.h"

#ifdef __linux__
#include <sys/prctl.h>
#endif

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
#ifdef __linux__
    // The kernel may otherwise let a timed wait run up to 50 µs late.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
#endif
    auto due = first;
    for (;;) {
        {
            // An interruptible sleep_until on the steady clock: stop() wakes it.
            std::unique_lock lock(mutex_);
            if (wake_.wait_until(lock, due, [this] { return stopRequested_; }))
                return;
        }
        callback();
        due += period;
        auto now = std::chrono::steady_clock::now();
        if (now >= due)
            due += period * ((now - due) / period + 1);
    }
}
