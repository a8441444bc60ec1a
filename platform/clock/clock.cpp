#include "platform/clock/clock.h"

#include <chrono>
#include <thread>

std::uint32_t SteadyClock::milliseconds()
{
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                  std::chrono::steady_clock::now().time_since_epoch())
                  .count();
    return static_cast<std::uint32_t>(ms);
}

void SteadyClock::sleep(std::uint32_t ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
