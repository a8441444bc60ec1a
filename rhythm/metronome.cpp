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
    tick(output_); // the first tick sounds at once, the timer brings the rest
    timer_.start(std::chrono::milliseconds(beatMilliseconds), [this] { tick(output_); });
    return true;
}

void Metronome::stop()
{
    if (!timer_.running())
        return;
    timer_.stop();
    output_.send(0x89, tickKey, 120);
}

bool Metronome::restart(std::uint32_t beatMilliseconds)
{
    stop();
    return start(beatMilliseconds);
}
