#pragma once

#include "music/answer_mode.h"
#include "music/melody.h"
#include "platform/gdi/canvas.h"
#include "render/colours.h"
#include "render/note_bitmaps.h"
#include "render/note_labels.h"
#include "render/staff_layout.h"
#include "render/staff_panel.h"

// The drill on the staves: the melody drawn note by note, a note highlighted
// while it sounds, both staves redrawn after the window was covered, a sung
// note confirmed on the answer staff, the pitch marker, the blinking note
// cursor and the congratulation banner. Everything here only draws; the order
// and timing belong to the drill cycle.

// What the drawing of a drill depends on.
struct DrillDrawing {
    const ColourTable& colours;
    const NoteBitmaps& art;
    const StaffLayout& layout;
    AnswerMode answerMode = AnswerMode::Microphone;
    Notation notation = Notation::Solfege;
    int shapeNote = 0;
    ScaleMode mode = ScaleMode::Major;
    DrillType drilltype = DrillType::Composed;
};

// x of note column n on either staff.
int noteColumnX(const StaffLayout& layout, int n);

// Melodies outside MAJOR and MINOR, and custom ones, carry their own accidentals.
bool spellsOwnAccidentals(const DrillDrawing& d);

// One note of a new melody on the melody staff: accidental, head, ledger lines
// and, in microphone mode, its note box with the label written transparently.
void drawMelodyNote(gdi::Canvas& dc, const DrillDrawing& d, const Melody& melody, int n,
                    std::array<NoteBox, kNoteBoxCount>& boxes);

// Melody note n redrawn highlighted (it sounds) or plain, with its box pressed or not.
void highlightNote(gdi::Canvas& dc, const DrillDrawing& d, const Melody& melody, int n, bool on,
                   std::array<NoteBox, kNoteBoxCount>& boxes);

// The whole melody on the melody staff again, labels opaque, and its rests.
void redrawMelodyStaff(gdi::Canvas& dc, const DrillDrawing& d, const Melody& melody,
                       std::array<NoteBox, kNoteBoxCount>& boxes);
// The first `answered` notes on the answer staff again, with every accidental.
void redrawAnswerStaff(gdi::Canvas& dc, const DrillDrawing& d, const Melody& melody, int answered);

// Where the pitch marker stands: its column and its top row.
struct PitchMarker {
    int x = 0;
    int y = 1000; // off the staff while hidden
    int bottom = 1010;
    Accidental accidental = Accidental::None;
    bool erased = false;
    bool hidden() const { return y >= 1000; }
};

// Takes the marker away: paper over it, the staff lines put back.
void erasePitchMarker(gdi::Canvas& dc, const DrillDrawing& d, PitchMarker& marker,
                      int extraHeight = 12);
// Moves the marker to `sungNote`, spelled after the due note's accidental.
void drawPitchMarker(gdi::Canvas& dc, const DrillDrawing& d, PitchMarker& marker, int sungNote,
                     Accidental dueAccidental);
// The whole marker column blanked (listening switched off).
void eraseMarkerColumn(gdi::Canvas& dc, const DrillDrawing& d, int markerX);

// The answered note drawn in place of the marker; the last note of a melody
// goes without the marker's sharp or flat. In piano and guitar mode its name
// is written above its note box.
void drawAcceptedNote(gdi::Canvas& dc, const DrillDrawing& d, const Melody& melody, int n,
                      const PitchMarker& marker, bool last);

// The note cursor under column `markerX`: dotted navy (on) or wiped.
void drawCursorLine(gdi::Canvas& dc, const ColourTable& colours, int markerX, bool on);

// Frame 0..3 of the congratulation banner flashing over the staff.
inline constexpr int kBannerFrames = 4;
inline constexpr int kBannerFrameMs[kBannerFrames] = {300, 300, 300, 1000};
void drawBannerFrame(gdi::Canvas& dc, const ColourTable& colours, const NoteBitmaps& art,
                     int frame);
