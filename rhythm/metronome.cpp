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
    onClock_ = false;
    onTimer(); // the first tick sounds at once
    timer_.start(std::chrono::milliseconds(beatMilliseconds), [this] { onTimer(); });
    return true;
}

// The output's clock may come and go while the metronome runs: the built-in
// synthesizer gets one once its SoundFont is read, a reopened output may
// have none. Without a clock this call is the beat itself; once there is
// one, the tick due now becomes tick 0 on that clock.
void Metronome::onTimer()
{
    const auto now = output_.scheduleClockMs();
    if (!now) {
        onClock_ = false;
        tick(output_);
        return;
    }
    if (!onClock_) {
        origin_ = *now;
        nextTick_ = 0;
        onClock_ = true;
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
