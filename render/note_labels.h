#pragma once

#include "music/drill_choices.h"
#include "music/pitch.h"
#include "platform/gdi/canvas.h"
#include "render/colours.h"
#include "render/note_box.h"

#include <string>
#include <string_view>

// The name written under or inside a note: its letter or solfege name (by `notation`),
// taken from the natural, sharp or flat table by its accidental (0 and 100 natural).
std::string_view noteLabelText(Notation notation, int step, Accidental accidental);

// The label font: "Helv" for letters; "Pica" for Do-Re-Mi, larger and bold outside
// microphone mode.
gdi::FontSpec noteLabelFont(Notation notation, AnswerMode mode);

// How a label is put on the surface beneath it.
enum class LabelBackground {
    Transparent, // a new melody being drawn
    Opaque,      // a redraw over an old label: filled with the surface colour first
};

// Writes the label of a note for note box `box`: inside the box in microphone mode, 32
// pixels above it (under the answered note) in piano and guitar mode.
void drawNoteLabel(gdi::Canvas& dc, const ColourTable& colours, const NoteBox& box,
                   std::string_view text, Notation notation, AnswerMode mode,
                   LabelBackground background);
