#pragma once

#include "platform/gdi/canvas.h"
#include "render/colours.h"
#include "render/note_bitmaps.h"
#include "render/note_box.h"
#include "render/staff_layout.h"

#include <array>
#include <functional>

// What the staff panel needs to know from the settings and the current drill.
struct StaffPanelSettings {
    AnswerMode answerMode = AnswerMode::Microphone;
    int range = 0; // voice range 0..5
    ScaleMode mode = ScaleMode::Major;
    int keySignature = 1; // the drill's signature code
    int noteCount = 0;    // notes of the current melody (13 shows the 13th box)
};

// Everything the staff draw decides, for the note drawing that follows it.
struct StaffLayout {
    ClefCase clef = ClefCase::Treble;
    int melodyStaffBase = 181;
    int answerStaffBase = 324;
    int keySignature = 1;
    KeyAccidentals keyAccidental{}; // per letter C..B: 1 sharpened, 2 flattened by the key
    bool signatureDrawn = true;
    int firstNoteX = 78; // x of note column 0 on either staff
    std::array<NoteBox, kNoteBoxCount> noteBoxes{};
};

// Computes the layout without drawing anything.
StaffLayout layoutStaffPanel(const StaffPanelSettings& settings);

// Draws the panel under the answer staff in piano and guitar mode (the keyboard or the
// fretboard). Microphone mode draws the note boxes instead.
using AnswerPanelPainter =
    std::function<void(gdi::Canvas& dc, const StaffLayout& layout, AnswerMode mode)>;

// Draws the framed music area with both empty staves, clefs, key signature, time
// signatures, bar lines, the instruction line and the panel under the answer staff, and
// returns the layout it used.
StaffLayout drawStaffPanel(gdi::Canvas& dc, const ColourTable& colours, const NoteBitmaps& art,
                           const StaffPanelSettings& settings,
                           const AnswerPanelPainter& answerPanel = {});

// The small text font of the staff ("Helv" 8 high, 6 wide).
gdi::FontSpec staffTextFont();
