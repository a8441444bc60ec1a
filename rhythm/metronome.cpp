#include "rhythm/metronome.h"

void Metronome::tick(SharedMidiOutput& output)
{
    output.send(tickStatus, tickKey, tickVelocity);
}

bool Metronome::start(std::uint32_t beatMilliseconds)
{
    if (!output_.isOpen())
        return false;
    beat_ = beatMilliseconds;
    const auto period = std::chrono::milliseconds(beatMilliseconds);
    if (auto now = output_.scheduleClockMs()) {
        origin_ = *now; // the first tick sounds at once
        nextTick_ = 0;
        scheduleAhead();
        timer_.start(period, [this] { scheduleAhead(); });
    } else {
        tick(output_); // the first tick sounds at once, the timer brings the rest
        timer_.start(period, [this] { tick(output_); });
    }
    return true;
}

void Metronome::scheduleAhead()
{
    auto now = output_.scheduleClockMs();
    if (!now) { // the output was replaced by one without a clock
        tick(output_);
        return;
    }
    // Unsigned differences keep working when the 32-bit clock wraps.
    const std::uint32_t horizon = *now - origin_ + beat_ + scheduleMarginMs;
    while (nextTick_ * beat_ <= horizon) {
        output_.sendAt(tickStatus, tickKey, tickVelocity, origin_ + nextTick_ * beat_);
        ++nextTick_;
    }
}

void Metronome::stop()
{
    if (!timer_.running())
        return;
    timer_.stop();
    output_.cancelScheduled();
    output_.send(0x89, tickKey, 120);
}

bool Metronome::restart(std::uint32_t beatMilliseconds)
{
    stop();
    return start(beatMilliseconds);
}
