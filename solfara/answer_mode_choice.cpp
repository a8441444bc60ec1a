#include "solfara/answer_mode_choice.h"

#include "music/answer_mode.h"

AnswerModeChoice chooseAnswerMode(ModeBand band, const ListeningState& current)
{
    AnswerModeChoice choice;
    choice.state = current;
    switch (band) {
    case ModeBand::Mic:
        choice.state.noteName = noteNameOf(AnswerMode::Microphone);
        choice.state.micOff = false;
        // Without this the microphone mode would stay deaf after muting in piano mode,
        // with the button that unmutes it hidden.
        choice.state.micMuted = false;
        choice.startCapture = true;
        break;
    case ModeBand::Piano:
        choice.state.noteName = noteNameOf(AnswerMode::Piano);
        break;
    case ModeBand::Guitar:
        choice.state.noteName = noteNameOf(AnswerMode::Guitar);
        break;
    case ModeBand::None:
        break;
    }
    const AnswerMode mode = answerModeOf(choice.state.noteName);
    if (mode != AnswerMode::Microphone) {
        choice.state.micOff = true;
        choice.stopCapture = true;
    }
    choice.micButtonVisible = mode != AnswerMode::Microphone;
    choice.newMelody = mode == AnswerMode::Guitar;
    return choice;
}
