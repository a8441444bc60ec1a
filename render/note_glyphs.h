#pragma once

#include "music/pitch.h"
#include "platform/gdi/canvas.h"
#include "render/colours.h"
#include "render/note_bitmaps.h"
#include "render/staff_layout.h"

// The glyphs of one note at column x with glyph top y (absolute pixels; the head's centre
// is at y + 3). The melody and answer drawing of the drill display combine these.

enum class Staff { Melody, Answer };

// Heads below the staff's middle line get a stem up; on the middle line and above, down.
bool stemUp(Staff staff, int y);

// A stemmed quarter note, plain or highlighted (grey head). `fullHeight` draws all 28 rows
// (a single-note redraw); otherwise 27 (a melody drawing or repaint).
void drawStemmedNote(gdi::Canvas& dc, const NoteBitmaps& art, Staff staff, int x, int y,
                     bool highlighted, bool fullHeight);

// Scale degree 0..6 that chooses a shaped head: relative to the drill's tonic letter for
// MAJOR and MINOR algorithmic drills, else counted from C.
int shapeDegree(int step, ScaleMode mode, DrillType drilltype, int drillKey);

// A shaped head (melody staff only): "Doshape" for the tonic, the degree's shape otherwise,
// the cyan-filled set when highlighted.
void drawShapedHead(gdi::Canvas& dc, const NoteBitmaps& art, int x, int y, int degree,
                    bool highlighted);

// Sharp (1), flat (2) or natural sign (100) to the left of the head; other codes draw
// nothing.
void drawAccidental(gdi::Canvas& dc, const NoteBitmaps& art, int x, int y, Accidental accidental);

// Treble-equivalent position of a note (16 = bottom line E4, 24 = top line F5), from the
// staff's base + layoutTop.
int trebleEquivalentPosition(ClefCase clef, int staffBaseWithTop, int y);

// The short lines through or beside a head above or below the staff.
void drawLedgerLines(gdi::Canvas& dc, ClefCase clef, int x, int y, int staffBaseWithTop);

// Rests completing the last bar after `noteCount` notes (none for 13 notes or a multiple of
// four); returns how many were drawn.
int restCountAfter(int noteCount);
int drawRests(gdi::Canvas& dc, const NoteBitmaps& art, int firstNoteX, int noteCount);
