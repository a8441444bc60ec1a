#pragma once

#include <chrono>

// How much earlier than a call is due the timer thread should ask to be
// woken, learnt from how late its last wake-ups came. The thread watches the
// clock from its wake-up to the due time, so waking early costs CPU time and
// waking late costs precision: the lead follows the recent worst lateness,
// forgets it slowly as wake-ups come on time again, and stays within bounds
// that keep the CPU cost small (at 230 beats per minute the largest lead is
// about 1 % of a core).
class WakeUpLateness {
public:
    using Duration = std::chrono::microseconds;
    static constexpr Duration minimumLead{300};
    static constexpr Duration maximumLead{3000};
    static constexpr Duration safety{200}; // on top of the lateness seen

    // A wake-up came `lateness` after the time asked for.
    void record(Duration lateness);

    // How long before the due time to ask to be woken.
    Duration lead() const;

private:
    Duration recentWorst_{0};
};
