#include "rhythm/rhythm_sound.h"

namespace {

constexpr std::uint8_t hitProgram = 117;
constexpr std::uint8_t hitKey = 48;
constexpr std::uint8_t hitVelocity = 120;
constexpr int beepMilliseconds = 50;

constexpr double octaveFromC[12] = {523.251, 554.365, 587.33,  622.254, 659.255, 698.456,
                                    739.989, 783.991, 830.609, 880.0,   932.328, 987.767};

bool isNoteOn(std::uint8_t status)
{
    return (status >> 4) == 0x9;
}

} // namespace

double RhythmSound::fallbackFrequency(std::uint8_t key)
{
    // The pitch class of the key; counting down from key 24 gives the same class
    // for every key, also those below 24.
    return 2 * octaveFromC[key % 12];
}

void RhythmSound::play(std::uint8_t status, std::uint8_t key, std::uint8_t velocity)
{
    if (output_.isOpen())
        output_.send(status, key, velocity);
    else if (isNoteOn(status))
        beeper_.tone(fallbackFrequency(key), beepMilliseconds);
}

void RhythmSound::stop(std::uint8_t status, std::uint8_t key, std::uint8_t velocity)
{
    output_.send(status, key, velocity);
}

void RhythmSound::selectHitProgram(std::uint8_t filler)
{
    play(0xC0, hitProgram, filler);
    play(0xCC, hitProgram, filler);
}

void RhythmSound::preloadHitProgram()
{
    output_.preloadPrograms({hitProgram});
}

void RhythmSound::keyboardHit()
{
    selectHitProgram(120);
    play(0x90, hitKey, hitVelocity);
    play(0x9C, hitKey, hitVelocity);
}

void RhythmSound::keyboardRelease()
{
    stop(0x80, hitKey, hitVelocity);
    stop(0x8C, hitKey, hitVelocity);
}
