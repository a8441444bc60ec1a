#include "platform/realtime/realtime_priority.h"

#include <pthread.h>
#include <sched.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <systemd/sd-bus.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>

namespace {

// RealtimeKit grants priority only to processes that bound the CPU time a
// real-time thread may take without blocking; past it the kernel stops the
// thread. A timer thread blocks between its calls, so 200 ms is far off.
constexpr rlim_t realTimeCpuLimitUs = 200'000;
constexpr std::uint64_t rtkitReplyTimeoutUs = 500'000;

std::atomic<bool> rtkitMissing{false};

bool kernelGrants(int priority)
{
    sched_param parameter{};
    parameter.sched_priority = priority;
    return pthread_setschedparam(pthread_self(), SCHED_FIFO, &parameter) == 0;
}

void boundRealTimeCpu()
{
    rlimit limit{};
    if (getrlimit(RLIMIT_RTTIME, &limit) != 0)
        return;
    if (limit.rlim_max == RLIM_INFINITY || limit.rlim_max > realTimeCpuLimitUs) {
        limit.rlim_cur = limit.rlim_max = realTimeCpuLimitUs;
        setrlimit(RLIMIT_RTTIME, &limit);
    }
}

bool rtkitGrants(int priority)
{
    if (rtkitMissing)
        return false;
    sd_bus* bus = nullptr;
    if (sd_bus_open_system(&bus) < 0) {
        rtkitMissing = true;
        return false;
    }
    sd_bus_set_method_call_timeout(bus, rtkitReplyTimeoutUs);
    boundRealTimeCpu();
    sd_bus_error error = SD_BUS_ERROR_NULL;
    const int result = sd_bus_call_method(
        bus, "org.freedesktop.RealtimeKit1", "/org/freedesktop/RealtimeKit1",
        "org.freedesktop.RealtimeKit1", "MakeThreadRealtime", &error, nullptr, "tu",
        static_cast<std::uint64_t>(gettid()), static_cast<std::uint32_t>(priority));
    if (result < 0 && (sd_bus_error_has_name(&error, SD_BUS_ERROR_SERVICE_UNKNOWN) ||
                       sd_bus_error_has_name(&error, SD_BUS_ERROR_NAME_HAS_NO_OWNER)))
        rtkitMissing = true;
    sd_bus_error_free(&error);
    sd_bus_unref(bus);
    return result >= 0;
}

} // namespace

RealTimeGrant makeThisThreadRealTime()
{
    // The kernel may otherwise let a timed wait run up to 50 µs late.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    const int lowest = sched_get_priority_min(SCHED_FIFO);
    if (kernelGrants(lowest))
        return RealTimeGrant::Kernel;
    if (rtkitGrants(lowest))
        return RealTimeGrant::Rtkit;
    return RealTimeGrant::None;
}
