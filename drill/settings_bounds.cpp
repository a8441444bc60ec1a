#include "drill/settings_bounds.h"

#include "music/answer_mode.h"

#include <algorithm>

namespace {

void clampTo(std::int32_t& value, std::int32_t low, std::int32_t high)
{
    value = std::clamp(value, low, high);
}

void outsideGives(std::int32_t& value, std::int32_t low, std::int32_t high, std::int32_t fallback)
{
    if (value < low || value > high)
        value = fallback;
}

} // namespace

void keepSettingsInRange(Settings& s, int scaleCount)
{
    s.numScales = scaleCount;
    outsideGives(s.mode, 0, scaleCount - 1, 0);
    outsideGives(s.noteName, 0, 2, noteNameOf(AnswerMode::Microphone));
    outsideGives(s.drilltype, 1, 3, 1);
    s.midi = std::max(s.midi, -1);
    s.custMelody = std::max(s.custMelody, 0);
    s.cycles = std::max(s.cycles, 0);
    clampTo(s.range, 0, 5);
    clampTo(s.melosize, 1, 12);
    clampTo(s.scale, 0, 15);
    clampTo(s.level, 0, 2);
    clampTo(s.miditimbre, 0, 127);
    clampTo(s.A, 430, 450);
    clampTo(s.transpose, 0, 48);
}
