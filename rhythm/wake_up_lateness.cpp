#include "rhythm/wake_up_lateness.h"

#include <algorithm>

void WakeUpLateness::record(Duration lateness)
{
    // Each wake-up forgets 1/16 of the worst lateness seen so far: a stall
    // keeps the lead up for a few dozen beats, not for the rest of the run.
    recentWorst_ = std::max(lateness, recentWorst_ - recentWorst_ / 16);
}

WakeUpLateness::Duration WakeUpLateness::lead() const
{
    return std::clamp(recentWorst_ + safety, minimumLead, maximumLead);
}
