#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// Calls a function on its own thread once every period, like a periodic
// multimedia timer. Each call is due at start + k × period, so lateness never accumulates; calls
// missed while the machine was stalled are skipped, not made up in a burst.
class PeriodicTimer {
public:
    using Callback = std::function<void()>;

    PeriodicTimer() = default;
    ~PeriodicTimer();
    PeriodicTimer(const PeriodicTimer&) = delete;
    PeriodicTimer& operator=(const PeriodicTimer&) = delete;

    // Starts the timer (stopping it first if it runs); the first call comes one
    // period from now.
    void start(std::chrono::microseconds period, Callback callback);

    // Stops the timer; no call is running or made once this returns. Must not
    // be called from the callback.
    void stop();

    bool running() const { return thread_.joinable(); }

private:
    void run(std::chrono::steady_clock::time_point first, std::chrono::microseconds period,
             const Callback& callback);

    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopRequested_ = false;
};
