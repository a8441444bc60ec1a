#pragma once

#include "music/pitch.h"
#include "platform/gdi/canvas.h"
#include "render/colours.h"
#include "render/note_bitmaps.h"

// The open note head written on the answer staff while a key or string is held, and the
// due note whose column and spelling place it.

// The note the drill waits for and where its column lies on the answer staff.
struct DueNote {
    int noteIndex = 0;
    Accidental accidental = Accidental::None; // as the melody spells it
    int column = 78; // x of the due note's column (the pitch marker column)
    int answerStaffBase = 324;
};

// The open head written on the answer staff for the key or string held.
struct StaffMarker {
    int column = 0;
    int y = 0;                                // glyph top of the head
    Accidental accidental = Accidental::None; // never Natural
    int bottom() const { return y + 7; }
};

// The head, with its sharp or flat, AND-combined onto the staff.
void drawStaffMarker(gdi::Canvas& dc, const NoteBitmaps& art, const StaffMarker& marker);
// Paper over the marker's column, then the staff lines again.
void eraseStaffMarker(gdi::Canvas& dc, const ColourTable& colours, const NoteBitmaps& art,
                      const StaffMarker& marker);
