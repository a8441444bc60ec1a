#pragma once

// How the user answers a drill: by clicking the piano keyboard, by clicking
// the guitar fretboard, or by singing into the microphone. The settings file
// keeps it as the number `noteName` (0, 1, 2).
enum class AnswerMode { Piano = 0, Guitar = 1, Microphone = 2 };

// The answer mode stored as `noteName`; a number outside 0..2 answers by microphone.
constexpr AnswerMode answerModeOf(int noteName)
{
    switch (noteName) {
    case 0:
        return AnswerMode::Piano;
    case 1:
        return AnswerMode::Guitar;
    default:
        return AnswerMode::Microphone;
    }
}

constexpr int noteNameOf(AnswerMode mode)
{
    return static_cast<int>(mode);
}

// "piano", "guitar" or "microphone": the mode's word in the practice history.
constexpr const char* answerModeName(AnswerMode mode)
{
    switch (mode) {
    case AnswerMode::Piano:
        return "piano";
    case AnswerMode::Guitar:
        return "guitar";
    default:
        return "microphone";
    }
}
