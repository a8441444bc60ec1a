#include "render/note_labels.h"

#include "music/note_names.h"
#include "music/pitch.h"
#include "render/staff_layout.h"

std::string_view noteLabelText(Notation notation, int step, Accidental accidental)
{
    const NoteNames& names = noteNamesFor(notation);
    const int letter = letterOfStep(step);
    if (accidental == Accidental::Sharp)
        return names.sharpNames[letter];
    if (accidental == Accidental::Flat)
        return names.flatNames[letter];
    return names.naturalNames[letter];
}

gdi::FontSpec noteLabelFont(Notation notation, AnswerMode mode)
{
    if (notation == Notation::Letters)
        return {.face = "Helv",
                .height = 8,
                .width = 6,
                .weight = 400,
                .family = gdi::FontFamily::Swiss};
    if (mode == AnswerMode::Microphone)
        return {.face = "Pica",
                .height = 12,
                .width = 5,
                .weight = 100,
                .family = gdi::FontFamily::Modern};
    return {
        .face = "Pica", .height = 16, .width = 5, .weight = 700, .family = gdi::FontFamily::Modern};
}

void drawNoteLabel(gdi::Canvas& dc, const ColourTable& colours, const NoteBox& box,
                   std::string_view text, Notation notation, AnswerMode mode,
                   LabelBackground background)
{
    gdi::TextStyle style;
    style.font = noteLabelFont(notation, mode);
    style.colour = colours[colour::text];
    style.hAlign = gdi::HAlign::Centre;
    style.opaque = background == LabelBackground::Opaque;
    style.background =
        colours[mode == AnswerMode::Microphone ? colour::noteBoxFace : colour::panel];
    const int y = mode == AnswerMode::Microphone ? box.top + 5 : box.top - 32;
    dc.text(box.left + 15, y, text, style);
}
