#include "music/pitch.h"
#include "render/note_bitmaps.h"
#include "render/staff_panel.h"
#include "tests/render/canvas_probe.h"

#include <gtest/gtest.h>

namespace {

constexpr int L = layoutTop;

struct StaffPanelTest : testing::Test {
    QImage image{500, 494, QImage::Format_RGB32};
    gdi::Canvas dc{image};
    ColourTable colours = fillColours();
    NoteBitmaps art = loadNoteBitmaps();
    CanvasProbe probe{dc};
    StaffPanelTest() { image.fill(colours[6]); }

    StaffLayout draw(StaffPanelSettings s) { return drawStaffPanel(dc, colours, art, s); }

    // Columns of key-signature slot i hold no ink off the staff lines (rows above the time
    // signature, which every signature glyph reaches into).
    bool slotEmpty(int i, int top, int bottom) const
    {
        for (int y = top; y < bottom; ++y) {
            if (y >= L + 112 && y <= L + 136 && (y - L - 112) % 6 == 0)
                continue;
            for (int x = 53 + 5 * i; x < 58 + 5 * i; ++x)
                if (dc.pixel(x, y) != colours[0])
                    return false;
        }
        return true;
    }
};

TEST_F(StaffPanelTest, StaffLinesAreBlackFrom28To472)
{
    draw({.noteName = kMicrophoneMode, .range = 0, .scale = 1, .mode = 0});
    for (int y : {L + 112, L + 118, L + 124, L + 130, L + 136, L + 255, L + 261, L + 267, L + 273,
                  L + 279}) {
        EXPECT_NE(dc.pixel(27, y), gdi::black) << y;
        EXPECT_EQ(dc.pixel(60, y), gdi::black) << y;
        EXPECT_EQ(dc.pixel(472, y), gdi::black) << y;
        EXPECT_EQ(dc.pixel(473, y), colours[0]) << y;
    }
    EXPECT_EQ(dc.pixel(300, L + 115), colours[0]); // paper between the lines
    EXPECT_EQ(dc.pixel(300, L + 30), colours[8]);  // panel above the paper
}

TEST_F(StaffPanelTest, PanelIsFramedSunk)
{
    draw({});
    EXPECT_EQ(dc.pixel(16, L + 100), colours[24]);  // top-left outer band
    EXPECT_EQ(dc.pixel(22, L + 100), colours[27]);  // top-left inner band
    EXPECT_EQ(dc.pixel(200, L + 365), colours[24]); // bottom outer band
    EXPECT_EQ(dc.pixel(200, L + 359), colours[21]); // bottom inner band
}

TEST_F(StaffPanelTest, CMajorHasNoSignatureAndFirstNoteAt78)
{
    const StaffLayout layout = draw({.scale = 1, .mode = 0});
    EXPECT_EQ(layout.keySignature, 1);
    EXPECT_EQ(layout.firstNoteX, 78);
    EXPECT_TRUE(slotEmpty(0, L + 90, L + 118));
    EXPECT_EQ(layout.keyAccidental, KeyAccidentals{});
    // Bar lines at firstNoteX + 106 + 120 i, colour 9.
    for (int x : {184, 304, 424}) {
        EXPECT_EQ(dc.pixel(x, L + 115), colours[9]) << x;
        EXPECT_EQ(dc.pixel(x, L + 258), colours[9]) << x;
    }
}

TEST_F(StaffPanelTest, SevenSharpsOfCSharpMajor)
{
    const StaffLayout layout = draw({.scale = 8, .mode = 0});
    EXPECT_EQ(layout.keySignature, 8);
    EXPECT_EQ(layout.firstNoteX, 120);
    const int offsets[7] = {24, 15, 27, 18, 9, 21, 12};
    for (int i = 0; i < 7; ++i)
        EXPECT_TRUE(probe.showsGlyph(art.diez, 53 + 5 * i, L + 130 - offsets[i], 5, 14)) << i;
    EXPECT_EQ(layout.keyAccidental, (KeyAccidentals{1, 1, 1, 1, 1, 1, 1}));
    EXPECT_TRUE(slotEmpty(0, L + 60, L + 100)); // nothing on the answer staff's side either
}

TEST_F(StaffPanelTest, OneFlatOfFMajor)
{
    const StaffLayout layout = draw({.scale = 9, .mode = 0});
    EXPECT_EQ(layout.firstNoteX, 90);
    EXPECT_TRUE(probe.showsGlyph(art.bemol, 53, L + 130 - 15, 5, 14));
    EXPECT_TRUE(slotEmpty(1, L + 90, L + 118));
    EXPECT_EQ(layout.keyAccidental[6], kFlat);
    EXPECT_EQ(layout.keyAccidental[2], kNoAccidental);
}

TEST_F(StaffPanelTest, CFlatMajorPutsTheFirstNoteAt120)
{
    const StaffLayout layout = draw({.scale = 15, .mode = 0});
    EXPECT_EQ(layout.keySignature, 15);
    EXPECT_EQ(layout.firstNoteX, 120);
    const int offsets[7] = {15, 24, 12, 21, 9, 18, 6};
    for (int i = 0; i < 7; ++i)
        EXPECT_TRUE(probe.showsGlyph(art.bemol, 53 + 5 * i, L + 130 - offsets[i], 5, 14)) << i;
}

TEST_F(StaffPanelTest, MinorKeysUseTheSignatureOfTheirTonic)
{
    const StaffLayout cMinor = draw({.scale = 1, .mode = 1});
    EXPECT_EQ(cMinor.keySignature, 11);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(
            probe.showsGlyph(art.bemol, 53 + 5 * i, L + 130 - (int[]){15, 24, 12}[i], 5, 14));
    EXPECT_TRUE(slotEmpty(3, L + 90, L + 118));

    image.fill(colours[6]);
    const StaffLayout aMinor = draw({.scale = 4, .mode = 1});
    EXPECT_EQ(aMinor.keySignature, 1);
    EXPECT_EQ(aMinor.firstNoteX, 78);
    EXPECT_TRUE(slotEmpty(0, L + 90, L + 118));
}

TEST_F(StaffPanelTest, ChromaticDrawsNoSignatureAndStartsAt85)
{
    const StaffLayout layout = draw({.scale = 3, .mode = 2, .keySignature = 3});
    EXPECT_FALSE(layout.signatureDrawn);
    EXPECT_EQ(layout.keySignature, 3); // kept as it was
    EXPECT_EQ(layout.keyAccidental, KeyAccidentals{});
    EXPECT_EQ(layout.firstNoteX, 85);
    EXPECT_TRUE(slotEmpty(0, L + 90, L + 118));
    EXPECT_TRUE(slotEmpty(1, L + 90, L + 118));
    // The time signature sits at x 55 either way.
    EXPECT_GT(probe.count(55, L + 119, 8, 11, colours[2]), 3);
}

TEST_F(StaffPanelTest, RandomKeyKeepsTheDrawnSignature)
{
    const StaffLayout layout = draw({.scale = 0, .mode = 0, .keySignature = 4});
    EXPECT_EQ(layout.keySignature, 4);
    EXPECT_EQ(layout.firstNoteX, 100);
}

TEST_F(StaffPanelTest, BassClefAtX28WithReferenceL136)
{
    const StaffLayout layout = draw({.noteName = kPianoMode, .range = 4, .scale = 2, .mode = 0});
    EXPECT_EQ(layout.clef, ClefCase::Bass);
    EXPECT_EQ(layout.melodyStaffBase, 145);
    EXPECT_EQ(layout.answerStaffBase, 288);
    EXPECT_TRUE(probe.showsGlyph(art.fa, 28, L + 109, 22, 30));
    EXPECT_TRUE(probe.showsGlyph(art.fa, 28, L + 252, 22, 30));
    EXPECT_TRUE(probe.showsGlyph(art.diez, 53, L + 136 - 24, 5, 14));
}

TEST_F(StaffPanelTest, TrebleAndGuitarCases)
{
    const StaffLayout treble = draw({.noteName = kPianoMode, .range = 3});
    EXPECT_EQ(treble.clef, ClefCase::Treble);
    EXPECT_EQ(treble.melodyStaffBase, 181);
    EXPECT_EQ(treble.answerStaffBase, 324);
    EXPECT_TRUE(probe.showsGlyph(art.sol, 25, L + 105, 24, 41));
    EXPECT_TRUE(probe.showsGlyph(art.sol, 25, L + 248, 24, 41));
    EXPECT_EQ(probe.count(30, L + 143, 16, 14, colours[2]), 0);

    image.fill(colours[6]);
    const StaffLayout guitar = draw({.noteName = kGuitarMode, .range = 5});
    EXPECT_EQ(guitar.clef, ClefCase::Guitar);
    EXPECT_EQ(guitar.melodyStaffBase, 160);
    EXPECT_EQ(guitar.answerStaffBase, 303);
    EXPECT_TRUE(probe.showsGlyph(art.sol, 25, L + 105, 24, 41));
    EXPECT_GT(probe.count(30, L + 143, 16, 14, colours[2]), 3); // the "8" under each clef
    EXPECT_GT(probe.count(30, L + 286, 16, 14, colours[2]), 3);
}

TEST_F(StaffPanelTest, AndBlitLeavesPaperWhereTheClefIsWhite)
{
    draw({.range = 0});
    // Top-left pixel of the clef bitmap is white: the paper shows through.
    ASSERT_EQ(art.sol.pixel(0, 0) & 0xffffff, 0xffffffu);
    EXPECT_EQ(dc.pixel(25, L + 105), colours[0]);
    // A staff line crossing a white part of the clef stays black.
    EXPECT_EQ(dc.pixel(28, L + 112), gdi::black);
}

TEST_F(StaffPanelTest, NoteBoxesFollowTheFirstNoteColumn)
{
    StaffLayout twelve = draw({.noteName = kMicrophoneMode, .scale = 1, .noteCount = 12});
    for (int i = 0; i < kNoteBoxCount; ++i) {
        EXPECT_EQ(twelve.noteBoxes[i].left, 78 + 30 * i - 12);
        EXPECT_EQ(twelve.noteBoxes[i].top, L + 375);
    }
    const NoteBox& last = twelve.noteBoxes[12];
    EXPECT_EQ(dc.pixel(last.left + 15, last.top + 11), colours[6]); // box 12 not drawn
    EXPECT_EQ(dc.pixel(twelve.noteBoxes[11].left + 15, last.top + 11), colours[10]);

    draw({.noteName = kMicrophoneMode, .scale = 1, .noteCount = 13});
    EXPECT_EQ(dc.pixel(last.left + 15, last.top + 11), colours[10]);
}

TEST_F(StaffPanelTest, PianoAndGuitarHandTheBottomPanelToTheirPainter)
{
    int calls = 0, mode = -1;
    drawStaffPanel(dc, colours, art, {.noteName = kGuitarMode},
                   [&](gdi::Canvas&, const StaffLayout&, int noteName) {
                       ++calls;
                       mode = noteName;
                   });
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(mode, kGuitarMode);
    EXPECT_EQ(dc.pixel(100, L + 386), colours[6]); // no note boxes
}

TEST(StaffLayout, SignatureEndForEveryCode)
{
    EXPECT_EQ(signatureEndX(1, 0), 58);
    for (int code = 2; code <= 8; ++code)
        EXPECT_EQ(signatureEndX(code, 0), 65 + 5 * (code - 1));
    for (int code = 9; code <= 15; ++code)
        EXPECT_EQ(signatureEndX(code, 1), 65 + 5 * (code - 8));
    EXPECT_EQ(signatureEndX(8, 2), 65);
    EXPECT_EQ(signatureEndX(0, 0), 58); // a damaged code draws as none
}

} // namespace
