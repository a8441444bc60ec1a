// Renders the staff panel for each clef case and a few keys, with a sample melody, into
// PNG files beside the test binary, so the drawing can be looked at.
#include "music/melody_title.h"
#include "render/caption.h"
#include "render/note_glyphs.h"
#include "render/note_labels.h"
#include "render/staff_panel.h"
#include "tests/support/canvas_probe.h"

namespace {

struct Sample {
    const char* file;
    StaffPanelSettings settings;
    int notation;
    bool shaped;
    int steps[13];
    int accidentals[13];
};

struct StaffPictures : RenderTest {
    void drawSample(const Sample& s);
};

void StaffPictures::drawSample(const Sample& s)
{
    clear(colours[6]);
    const StaffLayout layout = drawStaffPanel(dc, colours, art, s.settings);
    for (int n = 0; n < s.settings.noteCount; ++n) {
        const int x = layout.firstNoteX + 30 * n;
        const int y = noteTopY(layout.melodyStaffBase, s.steps[n]);
        if (!layout.signatureDrawn)
            drawAccidental(dc, art, x, y, s.accidentals[n]);
        if (s.shaped)
            drawShapedHead(dc, art, x, y,
                           shapeDegree(s.steps[n], s.settings.mode, 1, s.settings.scale), n == 2);
        else
            drawStemmedNote(dc, art, Staff::Melody, x, y, n == 2, false);
        drawLedgerLines(dc, layout.clef, x, y, layout.melodyStaffBase + layoutTop);
        // The answer staff repeats the first notes, always with their accidentals.
        const int ya = noteTopY(layout.answerStaffBase, s.steps[n]);
        drawAccidental(dc, art, x, ya, s.accidentals[n]);
        drawStemmedNote(dc, art, Staff::Answer, x, ya, false, false);
        drawLedgerLines(dc, layout.clef, x, ya, layout.answerStaffBase + layoutTop);
        if (s.settings.answerMode == AnswerMode::Microphone) {
            layout.noteBoxes[n].drawBox(dc, colours);
            drawNoteLabel(dc, colours, layout.noteBoxes[n],
                          noteLabelText(s.notation, s.steps[n], s.accidentals[n]), s.notation,
                          AnswerMode::Microphone, LabelBackground::Transparent);
        }
    }
    drawRests(dc, art, layout.firstNoteX, s.settings.noteCount);
    drawCaption(dc, colours, melodyTitle(Melody{}, s.settings.range, 24));
}

TEST_F(StaffPictures, RenderEveryClefCaseAndSomeKeys)
{
    // clang-format off
    const Sample samples[] = {
        {"staff_treble_c_major.png", {.answerMode = AnswerMode::Microphone, .range = 0, .scale = 1, .noteCount = 13},
         0, false, {14, 16, 18, 20, 21, 23, 25, 26, 27, 24, 17, 12, 13}, {}},
        {"staff_treble_c_sharp_major.png", {.answerMode = AnswerMode::Microphone, .range = 1, .scale = 8, .noteCount = 5},
         1, false, {15, 17, 19, 22, 15}, {1, 1, 1, 1, 1}},
        {"staff_treble_c_flat_major_shapes.png", {.answerMode = AnswerMode::Microphone, .range = 0, .scale = 15, .noteCount = 7},
         1, true, {14, 15, 16, 17, 18, 19, 20}, {2, 2, 2, 2, 2, 2, 2}},
        {"staff_bass_g_major.png", {.answerMode = AnswerMode::Piano, .range = 5, .scale = 2, .noteCount = 6},
         0, false, {4, 8, 11, 14, 1, 16}, {0, 0, 1, 0, 0, 0}},
        {"staff_guitar_chromatic.png", {.answerMode = AnswerMode::Guitar, .range = 3, .scale = 1, .mode = 2, .noteCount = 8},
         0, false, {7, 8, 10, 10, 11, 12, 14, 21}, {0, 1, 2, 100, 1, 0, 2, 0}},
        {"staff_treble_c_minor.png", {.answerMode = AnswerMode::Microphone, .range = 2, .scale = 1, .mode = 1, .noteCount = 4},
         1, false, {14, 15, 16, 17}, {0, 0, 2, 0}},
    };
    // clang-format on
    for (const Sample& s : samples) {
        drawSample(s);
        EXPECT_TRUE(image.save(s.file)) << s.file;
    }
}

} // namespace
