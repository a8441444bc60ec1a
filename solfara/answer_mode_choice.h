#pragma once

#include "render/mode_selector.h"

// What a press on the answer-mode selector changes. Kept free of the window so the rules
// can be checked on their own; the window carries out the steps it lists.

struct ListeningState {
    int noteName = 2;      // answer mode: 0 piano, 1 guitar, 2 microphone
    bool micOff = false;   // capture stopped
    bool micMuted = false; // the mic button switched listening off
};

struct AnswerModeChoice {
    ListeningState state;
    bool startCapture = false; // before stopCapture, when both are set
    bool stopCapture = false;
    bool micButtonVisible = false;
    // Guitar mode: a new melody drawn at once, the pitch marker hidden.
    bool newMelody = false;
    // Always: apply the answer mode to the staff bases, then repaint the whole window
    // with erasing.
};

// "mic" switches listening on and unmutes it, "piano" and "guitar" switch it off; a boundary
// row selects no mode but in piano or guitar mode still switches listening off.
AnswerModeChoice chooseAnswerMode(ModeBand band, const ListeningState& current);
