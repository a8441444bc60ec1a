#include "rhythm/periodic_timer.h"

#ifdef __linux__
#include <pthread.h>
#include <sched.h>
#include <sys/prctl.h>
#endif

namespace {

// The thread sleeps until this long before a call is due and then watches the
// clock for the rest, so a wake-up that comes a little late costs nothing.
constexpr auto spinMargin = std::chrono::microseconds(300);

void askForPromptWakeUps()
{
#ifdef __linux__
    // The kernel may otherwise let a timed wait run up to 50 µs late.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    // Real-time scheduling at the lowest priority, where the system allows it,
    // keeps busy programs from delaying a tick; without it the thread simply
    // stays a normal one.
    sched_param priority{};
    priority.sched_priority = sched_get_priority_min(SCHED_FIFO);
    pthread_setschedparam(pthread_self(), SCHED_FIFO, &priority);
#endif
}

} // namespace

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
    askForPromptWakeUps();
    auto due = first;
    for (;;) {
        {
            // An interruptible sleep_until on the steady clock: stop() wakes it.
            std::unique_lock lock(mutex_);
            if (wake_.wait_until(lock, due - spinMargin, [this] { return stopRequested_; }))
                return;
        }
        while (std::chrono::steady_clock::now() < due) {
        }
        callback();
        due += period;
        auto now = std::chrono::steady_clock::now();
        if (now >= due)
            due += period * ((now - due) / period + 1);
    }
}
