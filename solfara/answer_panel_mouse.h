#pragma once

#include "solfara/answer_panel.h"

// The left button over the keyboard or the fretboard in piano and guitar mode: press, drag
// across, out of and back into the panel, release. The window calls these only in those
// modes, after its buttons and the mode selector had their turn, and shows the cursor each
// returns.

enum class PanelCursor {
    Unchanged,
    Arrow,      // outside the panel
    Keyboard,   // over the panel
    PressedKey, // a key or string sounds
};

class AnswerPanelMouse {
public:
    explicit AnswerPanelMouse(AnswerPanel& panel) : panel_(panel) {}

    // Button down: true when it landed on the panel (the note then sounds).
    bool press(gdi::Canvas& dc, int x, int y, const PanelContext& context, PanelCursor& cursor);
    // Pointer moved, button held or not. Held: leaving the panel stops the note, coming
    // back presses again, moving inside slides.
    PanelCursor move(gdi::Canvas& dc, int x, int y, const PanelContext& context);

    struct Released {
        bool accept = false; // the note pressed last was the due note: accept it
        PanelCursor cursor = PanelCursor::Unchanged;
    };
    // Button up, wherever the pointer is.
    Released release(gdi::Canvas& dc);

    bool held() const { return held_; }

private:
    AnswerPanel& panel_;
    bool held_ = false;   // the button went down on the panel and is still down
    bool outside_ = true; // the pointer was last seen outside the panel
};
