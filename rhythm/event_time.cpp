#include "rhythm/event_time.h"

std::uint32_t EventTime::toClock(std::uint32_t eventTimestamp, std::uint32_t now)
{
    if (eventTimestamp == 0)
        return now;
    std::uint32_t offset = now - eventTimestamp;
    auto delay = static_cast<std::int32_t>(offset - offset_);
    // A smaller offset is a faster delivery: a better estimate. A much larger one
    // means the event clock jumped, and the old offset no longer holds.
    if (!known_ || delay < 0 || delay > maxDelayMs) {
        offset_ = offset;
        known_ = true;
    }
    return eventTimestamp + offset_;
}
