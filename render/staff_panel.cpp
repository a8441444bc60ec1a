#include "render/staff_panel.h"

#include "render/bevel.h"

using gdi::Brush;
using gdi::Pen;

namespace {

constexpr int L = layoutTop;

struct SignatureGlyph {
    int letter;
    int offset; // subtracted from the signature's reference y
};
constexpr SignatureGlyph sharpOrder[7] = {{3, 24}, {0, 15}, {4, 27}, {1, 18},
                                          {5, 9},  {2, 21}, {6, 12}};
constexpr SignatureGlyph flatOrder[7] = {{6, 15}, {2, 24}, {5, 12}, {1, 21},
                                         {4, 9},  {0, 18}, {3, 6}};

constexpr int melodyLines[5] = {L + 112, L + 118, L + 124, L + 130, L + 136};
constexpr int answerLines[5] = {L + 255, L + 261, L + 267, L + 273, L + 279};

void drawClefs(gdi::Canvas& dc, const NoteBitmaps& art, ClefCase clef)
{
    if (clef == ClefCase::Bass) {
        dc.blit(28, L + 109, 30, 50, art.fa, 0, 0, gdi::RasterOp::And);
        dc.blit(28, L + 252, 30, 50, art.fa, 0, 0, gdi::RasterOp::And);
    } else {
        dc.blit(25, L + 105, 30, 50, art.sol, 0, 0, gdi::RasterOp::And);
        dc.blit(25, L + 248, 30, 50, art.sol, 0, 0, gdi::RasterOp::And);
    }
}

void drawKeySignature(gdi::Canvas& dc, const NoteBitmaps& art, const StaffLayout& layout)
{
    const int reference = L + 60 + (layout.clef == ClefCase::Bass ? 76 : 70);
    const int sharps = sharpsOfSignature(layout.keySignature);
    const int flats = flatsOfSignature(layout.keySignature);
    for (int i = 0; i < sharps; ++i)
        dc.blit(53 + 5 * i, reference - sharpOrder[i].offset, 5, 14, art.diez, 0, 0,
                gdi::RasterOp::And);
    for (int i = 0; i < flats; ++i)
        dc.blit(53 + 5 * i, reference - flatOrder[i].offset, 5, 14, art.bemol, 0, 0,
                gdi::RasterOp::And);
}

gdi::TextStyle staffText(const ColourTable& colours, gdi::HAlign align)
{
    gdi::TextStyle style;
    style.font = staffTextFont();
    style.colour = colours[colour::text];
    style.hAlign = align;
    return style;
}

} // namespace

gdi::FontSpec staffTextFont()
{
    return {
        .face = "Helv", .height = 8, .width = 6, .weight = 400, .family = gdi::FontFamily::Swiss};
}

StaffLayout layoutStaffPanel(const StaffPanelSettings& settings)
{
    StaffLayout layout;
    layout.clef = clefCaseFor(settings.answerMode, settings.range);
    const StaffBases bases = staffBasesFor(layout.clef);
    layout.melodyStaffBase = bases.melody;
    layout.answerStaffBase = bases.answer;
    layout.keySignature = settings.keySignature;
    layout.signatureDrawn = isDiatonic(settings.mode);
    // Only the letters the drawn signature shows are marked.
    layout.keyAccidental =
        layout.signatureDrawn ? keyAccidental(layout.keySignature) : KeyAccidentals{};
    layout.firstNoteX = signatureEndX(layout.keySignature, settings.mode) + 20;
    for (int i = 0; i < kNoteBoxCount; ++i) {
        NoteBox& box = layout.noteBoxes[i];
        box.left = layout.firstNoteX + kColumnWidth * i - 12;
        box.top = L + 375;
        box.width = 30;
        box.height = 22;
        box.faceColour = colour::noteBoxFace;
        box.pressed = 0;
    }
    return layout;
}

StaffLayout drawStaffPanel(gdi::Canvas& dc, const ColourTable& colours, const NoteBitmaps& art,
                           const StaffPanelSettings& settings,
                           const AnswerPanelPainter& answerPanel)
{
    const StaffLayout layout = layoutStaffPanel(settings);
    const int signatureEnd = layout.firstNoteX - 20;

    // Panel, paper and the sunk frame around them.
    dc.rectangle(20, L + 15, 480, L + 360, Pen::none(), brushOf(colours, colour::panel));
    dc.fill(20, L + 55, 460, 287, colours[colour::paper]);
    bevelBottomRight(dc, colours, 16, L + 11, 485, L + 365, 21, 2);
    bevelTopLeft(dc, colours, 16, L + 11, 484, L + 364, 24, 2);

    drawClefs(dc, art, layout.clef);
    if (layout.signatureDrawn)
        drawKeySignature(dc, art, layout);

    for (int i = 0; i < 5; ++i) {
        dc.line(kStaffLeft, melodyLines[i], kStaffRight, melodyLines[i], Pen::solid(gdi::black));
        dc.line(kStaffLeft, answerLines[i], kStaffRight, answerLines[i], Pen::solid(gdi::black));
    }
    dc.line(22, L + 198, 479, L + 198, Pen::dotted(colours[colour::separator]));

    const char* instruction =
        settings.answerMode == AnswerMode::Microphone
            ? "Sing each note into the microphone!"
            : "Sing each note into the microphone! Or just find it on the piano (guitar)...";
    dc.text(240, L + 20, instruction, staffText(colours, gdi::HAlign::Centre));

    const gdi::TextStyle left = staffText(colours, gdi::HAlign::Left);
    dc.text(layout.signatureDrawn ? signatureEnd - 3 : 55, L + 118, "C", left);
    dc.text(55, L + 261, "C", left);
    if (layout.clef == ClefCase::Guitar) {
        dc.text(34, L + 143, "8", left);
        dc.text(34, L + 286, "8", left);
    }

    for (int i = 0; i < 3; ++i) {
        const int x = layout.firstNoteX + 106 + 120 * i;
        dc.line(x, L + 112, x, L + 138, Pen::solid(colours[colour::barLine]));
        dc.line(x, L + 255, x, L + 281, Pen::solid(colours[colour::barLine]));
    }

    dc.fill(65, L + 373, 395, 35, colours[colour::windowBackground]);

    if (settings.answerMode == AnswerMode::Microphone) {
        const int boxes = settings.noteCount >= kNoteBoxCount ? kNoteBoxCount : kNoteBoxCount - 1;
        for (int i = 0; i < boxes; ++i)
            layout.noteBoxes[i].drawBox(dc, colours);
    } else if (answerPanel) {
        answerPanel(dc, layout, settings.answerMode);
    }
    return layout;
}
