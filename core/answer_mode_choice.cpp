#include "core/answer_mode_choice.h"

#include "core/settings.h"

AnswerModeChoice chooseAnswerMode(ModeBand band, const ListeningState& current)
{
    AnswerModeChoice choice;
    choice.state = current;
    switch (band) {
    case ModeBand::Mic:
        choice.state.noteName = kMicrophoneAnswer;
        choice.state.micOff = false;
        // Without this the microphone mode would stay deaf after muting in piano mode,
        // with the button that unmutes it hidden.
        choice.state.micMuted = false;
        choice.startCapture = true;
        break;
    case ModeBand::Piano:
        choice.state.noteName = kPianoAnswer;
        break;
    case ModeBand::Guitar:
        choice.state.noteName = kGuitarAnswer;
        break;
    case ModeBand::None:
        break;
    }
    if (choice.state.noteName < kMicrophoneAnswer) {
        choice.state.micOff = true;
        choice.stopCapture = true;
    }
    choice.micButtonVisible = choice.state.noteName < kMicrophoneAnswer;
    choice.newMelody = choice.state.noteName == kGuitarAnswer;
    return choice;
}
