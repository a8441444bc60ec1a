#include "render/drill_display.h"

#include "music/answer_spelling.h"
#include "music/pitch.h"
#include "render/note_glyphs.h"
#include "render/staff_marker.h"

using gdi::RasterOp;

namespace {

constexpr int L = layoutTop;
constexpr gdi::Colour navy = gdi::rgb(0, 0, 128);

int melodyY(const DrillDrawing& d, const Melody& melody, int n)
{
    return noteTopY(d.layout.melodyStaffBase, melody.step[n]);
}

// The staff lines through a strip that was painted over with paper.
void restoreStaffLines(gdi::Canvas& dc, const NoteBitmaps& art, int x, int staffTop)
{
    dc.blit(x - 10, staffTop, 23, 61, art.score, 0, 0, RasterOp::And);
}

void drawBoxLabel(gdi::Canvas& dc, const DrillDrawing& d, const Melody& melody, int n,
                  const NoteBox& box, LabelBackground background)
{
    drawNoteLabel(dc, d.colours, box,
                  noteLabelText(d.notation, melody.step[n], melody.accidental[n]), d.notation,
                  d.answerMode, background);
}

void drawMelodyHead(gdi::Canvas& dc, const DrillDrawing& d, const Melody& melody, int n, int x,
                    int y, bool highlighted, bool fullHeight)
{
    if (d.shapeNote == 1)
        drawShapedHead(dc, d.art, x, y,
                       shapeDegree(melody.step[n], d.mode, d.drilltype, melody.drillKey),
                       highlighted);
    else
        drawStemmedNote(dc, d.art, Staff::Melody, x, y, highlighted, fullHeight);
}

} // namespace

int noteColumnX(const StaffLayout& layout, int n)
{
    return layout.firstNoteX + kColumnWidth * n;
}

bool spellsOwnAccidentals(const DrillDrawing& d)
{
    return spellsOwnAccidentals(d.mode, d.drilltype);
}

namespace {

// Note n of the melody staff as written: its accidental, head and ledger lines.
void drawMelodyGlyphs(gdi::Canvas& dc, const DrillDrawing& d, const Melody& melody, int n)
{
    const int x = noteColumnX(d.layout, n);
    const int y = melodyY(d, melody, n);
    if (spellsOwnAccidentals(d))
        drawAccidental(dc, d.art, x, y, melody.accidental[n]);
    drawMelodyHead(dc, d, melody, n, x, y, false, false);
    drawLedgerLines(dc, d.layout.clef, x, y, d.layout.melodyStaffBase + L);
}

} // namespace

void drawMelodyNote(gdi::Canvas& dc, const DrillDrawing& d, const Melody& melody, int n,
                    std::array<NoteBox, kNoteBoxCount>& boxes)
{
    drawMelodyGlyphs(dc, d, melody, n);
    if (d.answerMode == AnswerMode::Microphone && n < kNoteBoxCount) {
        boxes[n].drawBox(dc, d.colours);
        drawBoxLabel(dc, d, melody, n, boxes[n], LabelBackground::Transparent);
    }
}

void highlightNote(gdi::Canvas& dc, const DrillDrawing& d, const Melody& melody, int n, bool on,
                   std::array<NoteBox, kNoteBoxCount>& boxes)
{
    if (n < 0 || n >= melody.noteCount)
        return;
    const int x = noteColumnX(d.layout, n);
    const int y = melodyY(d, melody, n);
    const gdi::Colour paper = d.colours[colour::paper];
    if (d.shapeNote == 1)
        dc.fill(x, y - 1, 13, 9, paper);
    else if (stemUp(Staff::Melody, y))
        dc.fill(x - 10, y - 20, 23, 28, paper);
    else
        dc.fill(x - 10, y - 2, 23, 28, paper);
    drawMelodyHead(dc, d, melody, n, x, y, on, true);
    restoreStaffLines(dc, d.art, x, kMelodyStaffTop);
    drawLedgerLines(dc, d.layout.clef, x, y, d.layout.melodyStaffBase + L);
    if (spellsOwnAccidentals(d))
        drawAccidental(dc, d.art, x, y, melody.accidental[n]);
    if (d.answerMode == AnswerMode::Microphone) {
        NoteBox& box = boxes[n];
        box.drawBox(dc, d.colours);
        if (on)
            box.drawBoxPressed(dc, d.colours);
        else
            box.pressed = 0;
        drawBoxLabel(dc, d, melody, n, box, LabelBackground::Opaque);
    }
}

void redrawMelodyStaff(gdi::Canvas& dc, const DrillDrawing& d, const Melody& melody,
                       std::array<NoteBox, kNoteBoxCount>& boxes)
{
    for (int n = 0; n < melody.noteCount; ++n) {
        drawMelodyGlyphs(dc, d, melody, n);
        if (d.answerMode == AnswerMode::Microphone)
            drawBoxLabel(dc, d, melody, n, boxes[n], LabelBackground::Opaque);
    }
    drawRests(dc, d.art, d.layout.firstNoteX, melody.noteCount);
}

void redrawAnswerStaff(gdi::Canvas& dc, const DrillDrawing& d, const Melody& melody, int answered)
{
    for (int n = 0; n < answered && n < melody.noteCount; ++n) {
        const int x = noteColumnX(d.layout, n);
        const int y = noteTopY(d.layout.answerStaffBase, melody.step[n]);
        drawAccidental(dc, d.art, x, y, melody.accidental[n]);
        drawStemmedNote(dc, d.art, Staff::Answer, x, y, false, false);
        drawLedgerLines(dc, d.layout.clef, x, y, d.layout.answerStaffBase + L);
        drawNoteLabel(dc, d.colours, d.layout.noteBoxes[n],
                      noteLabelText(d.notation, melody.step[n], melody.accidental[n]), d.notation,
                      d.answerMode, LabelBackground::Opaque);
    }
}

void erasePitchMarker(gdi::Canvas& dc, const DrillDrawing& d, PitchMarker& marker, int extraHeight)
{
    if (!marker.erased) {
        dc.fill(marker.x - 10, marker.y - 6, 23, marker.bottom - marker.y + extraHeight,
                d.colours[colour::paper]);
        restoreStaffLines(dc, d.art, marker.x, kAnswerStaffTop);
    }
    marker.erased = true;
}

void drawPitchMarker(gdi::Canvas& dc, const DrillDrawing& d, PitchMarker& marker, int sungNote,
                     Accidental dueAccidental)
{
    erasePitchMarker(dc, d, marker, 10);
    const AnswerSpelling spelling = spellAnswerNote(sungNote, dueAccidental);
    marker.accidental = spelling.accidental;
    marker.y = noteTopY(d.layout.answerStaffBase, spelling.step);
    marker.bottom = marker.y + 7;
    drawStaffMarker(dc, d.art, {marker.x, marker.y, marker.accidental});
    marker.erased = false;
}

void eraseMarkerColumn(gdi::Canvas& dc, const DrillDrawing& d, int markerX)
{
    dc.fill(markerX - 10, 224, 23, 143, d.colours[colour::paper]);
    restoreStaffLines(dc, d.art, markerX, kAnswerStaffTop);
}

void drawAcceptedNote(gdi::Canvas& dc, const DrillDrawing& d, const Melody& melody, int n,
                      const PitchMarker& marker, bool last)
{
    if (d.answerMode != AnswerMode::Microphone && n < kNoteBoxCount) {
        const NoteBox& box = d.layout.noteBoxes[n];
        gdi::TextStyle style;
        style.font = d.notation == Notation::Solfege
                         ? gdi::FontSpec{.face = "Pica",
                                         .height = 16,
                                         .width = 5,
                                         .weight = 700,
                                         .family = gdi::FontFamily::Modern}
                         : gdi::FontSpec{.face = "Helv",
                                         .height = 10,
                                         .width = 6,
                                         .weight = 400,
                                         .family = gdi::FontFamily::Swiss};
        style.colour = d.colours[colour::text];
        style.background = d.colours[colour::panel];
        style.opaque = true;
        style.hAlign = gdi::HAlign::Centre;
        dc.text(box.left + box.width / 2, box.top - 32,
                noteLabelText(d.notation, melody.step[n], melody.accidental[n]), style);
    }
    const int x = marker.x;
    const int y = marker.y;
    dc.fill(x, y - 6, 13, marker.bottom - y + (last ? 18 : 8), d.colours[colour::paper]);
    restoreStaffLines(dc, d.art, x, kAnswerStaffTop);
    if (y > 291)
        dc.blit(x, y - 20, 10, 27, d.art.note1, 0, 0, RasterOp::And);
    else
        dc.blit(x, y - 1, 10, 27, d.art.note2, 0, 0, RasterOp::And);
    if (melody.accidental[n] == Accidental::Natural)
        drawAccidental(dc, d.art, x, y, Accidental::Natural);
    if (!last)
        drawAccidental(dc, d.art, x, y, marker.accidental);
    drawLedgerLines(dc, d.layout.clef, x, y, d.layout.answerStaffBase + L);
}

void drawCursorLine(gdi::Canvas& dc, const ColourTable& colours, int markerX, bool on)
{
    dc.line(markerX - 8, 368, markerX - 8, 385,
            on ? gdi::Pen::dotted(navy) : gdi::Pen::solid(colours[colour::panel]));
}

void drawBannerFrame(gdi::Canvas& dc, const ColourTable& colours, const NoteBitmaps& art, int frame)
{
    const gdi::Colour fill = colours[colour::panel];
    if (frame == 0)
        dc.fill(40, L + 20, 400, 35, fill);
    else
        dc.fill(140, L + 20, 200, 35, fill);
    const RasterOp op = frame % 2 == 0 ? RasterOp::Xor : RasterOp::And;
    dc.blit(172, L + 35, 136, 14, art.congrats, 0, 0, op);
}
