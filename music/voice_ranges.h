#pragma once

#include "music/answer_mode.h"

#include <array>
#include <string_view>

// Voice ranges (`range` 0..5). A melody's tonic lies within 3 steps of the
// range's centre step and its other notes within 6.

inline constexpr int kRangeCount = 6;

inline constexpr std::array<std::string_view, kRangeCount> rangeNames = {
    "Soprano", "Mezzo-Soprano", "Contralto", "Tenor", "Baritone", "Bass"};

using RangeCentreSteps = std::array<int, kRangeCount>;

// Centre steps while answering with the microphone or the piano keyboard.
inline constexpr RangeCentreSteps normalRangeCentreSteps = {20, 18, 16, 12, 10, 8};
// Centre steps while answering on the guitar fretboard, whose notes lie lower.
inline constexpr RangeCentreSteps guitarRangeCentreSteps = {17, 17, 16, 12, 10, 9};

// The variant in force for an answer mode.
constexpr const RangeCentreSteps& rangeCentreStepsFor(AnswerMode mode)
{
    return mode == AnswerMode::Guitar ? guitarRangeCentreSteps : normalRangeCentreSteps;
}
