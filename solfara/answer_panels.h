#pragma once

#include "music/answer_mode.h"
#include "solfara/answer_panel_mouse.h"
#include "solfara/guitar_panel.h"
#include "solfara/piano_panel.h"

// The keyboard (piano mode) and the fretboard (guitar mode) under the answer
// staff of the main window, each with its mouse handling, sounding through
// the program's MIDI output. Microphone mode has neither.
class AnswerPanels {
public:
    AnswerPanels(MidiOut& out, const NoteBitmaps& art, const ColourTable& colours)
        : keyboard_(KeyboardGeometry::mainWindow(), &out, art, colours),
          fretboard_(FretboardGeometry::mainWindow(), &out, art, colours)
    {
    }

    // The panel of `mode`; none in microphone mode.
    AnswerPanel* panel(AnswerMode mode)
    {
        switch (mode) {
        case AnswerMode::Piano:
            return &keyboard_;
        case AnswerMode::Guitar:
            return &fretboard_;
        default:
            return nullptr;
        }
    }
    AnswerPanelMouse* mouse(AnswerMode mode)
    {
        switch (mode) {
        case AnswerMode::Piano:
            return &keyboardMouse_;
        case AnswerMode::Guitar:
            return &fretboardMouse_;
        default:
            return nullptr;
        }
    }

private:
    PianoKeyboard keyboard_;
    GuitarFretboard fretboard_;
    AnswerPanelMouse keyboardMouse_{keyboard_};
    AnswerPanelMouse fretboardMouse_{fretboard_};
};
