#pragma once

#include "music/answer_mode.h"
#include "platform/gdi/canvas.h"
#include "render/staff_panel.h"

// The piano keyboard or guitar fretboard under the answer staff, as the main
// window drives it in piano and guitar mode. The window passes the left
// button's press, moves and release; a release that played the due note
// answers it.
class AnswerPanel {
public:
    virtual ~AnswerPanel() = default;

    // Drawn with the staff panel.
    virtual void paint(gdi::Canvas& dc, const StaffLayout& layout, AnswerMode mode) = 0;
    // A press of the left button; true when it landed on the panel.
    virtual bool press(gdi::Canvas& dc, int x, int y, int dueNote) = 0;
    virtual void move(gdi::Canvas& dc, int x, int y) = 0;
    // The release; true when the note pressed was the due note.
    virtual bool release(gdi::Canvas& dc) = 0;
};
