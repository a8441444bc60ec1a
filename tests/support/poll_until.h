#pragma once

#include <chrono>
#include <thread>

// Polls `done` every 5 ms until it holds or `limit` has passed, and returns
// done(). For work on other threads when no event loop is involved; the limit
// only guards against a hang.
template <typename Condition>
bool pollUntil(Condition done, std::chrono::milliseconds limit = std::chrono::seconds(10))
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return done();
}
