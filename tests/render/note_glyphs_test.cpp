#include "music/natural_signs.h"
#include "music/pitch.h"
#include "render/caption.h"
#include "render/note_glyphs.h"
#include "render/note_labels.h"
#include "tests/support//canvas_probe.h"
#include "tests/support/accidentals.h"

#include <vector>

namespace {

using NoteGlyphsTest = RenderTest;
constexpr int L = layoutTop;
// Treble staff: A = 181 + L, so position p has its glyph top at A - 3 p.
constexpr int A = 181 + L;
constexpr int topOf(int p)
{
    return A - 3 * p;
}

TEST_F(NoteGlyphsTest, LedgerLinesByTrebleEquivalentPosition)
{
    const struct {
        ClefCase clef;
        int base, y;      // staff base + L, glyph top
        int lines;        // rows drawn
        int lineX, lineY; // the line nearest the head: 16 pixels from lineX
    } cases[] = {
        {ClefCase::Treble, A, topOf(26), 1, 97, L + 106},             // through the head
        {ClefCase::Treble, A, topOf(27), 1, 97, L + 106},             // under the head of the space
        {ClefCase::Treble, A, topOf(14), 1, 97, L + 142},             // middle C
        {ClefCase::Treble, A, topOf(13), 1, 98, L + 142},             // hanging from the line above
        {ClefCase::Treble, A, topOf(10), 3, 98, L + 154},             // q = 10, 12, 14
        {ClefCase::Bass, 145 + L, noteTopY(145, 14), 1, 97, L + 106}, // middle C on bass
    };
    for (const auto& c : cases) {
        clear();
        drawLedgerLines(dc, c.clef, 100, c.y, c.base);
        int rows = 0;
        for (int y = 0; y < 494; ++y)
            rows += count(0, y, 500, 1, gdi::black) > 0;
        EXPECT_EQ(rows, c.lines) << c.y;
        EXPECT_EQ(count(c.lineX - 1, c.lineY, 18, 1, gdi::black), 16) << c.y;
        EXPECT_EQ(count(c.lineX, c.lineY, 16, 1, gdi::black), 16) << c.y;
    }
    clear();
    for (int p : {15, 16, 20, 24, 25, -1, 40}) // inside or far outside the staff
        drawLedgerLines(dc, ClefCase::Treble, 100, topOf(p), A);
    EXPECT_EQ(count(0, 0, 500, 494, gdi::black), 0);
    // Bass: G2 (step 4) lies on the bottom line; guitar: C3 (step 7) on the first below.
    EXPECT_EQ(trebleEquivalentPosition(ClefCase::Bass, 145 + L, noteTopY(145, 4)), 16);
    EXPECT_EQ(trebleEquivalentPosition(ClefCase::Guitar, 160 + L, noteTopY(160, 7)), 14);
}

TEST_F(NoteGlyphsTest, StemsTurnAtTheMiddleLine)
{
    // Melody staff: middle line L+124, a note on it has its top at L+121.
    EXPECT_FALSE(stemUp(Staff::Melody, L + 121));
    EXPECT_TRUE(stemUp(Staff::Melody, L + 124));
    EXPECT_FALSE(stemUp(Staff::Answer, L + 264));
    EXPECT_TRUE(stemUp(Staff::Answer, L + 267));

    drawStemmedNote(dc, art, Staff::Melody, 200, L + 130, false, false);
    EXPECT_TRUE(showsGlyph(art.note1, 200, L + 110, 27));
    EXPECT_EQ(dc.pixel(204, L + 137), untouched); // 27 rows only
    drawStemmedNote(dc, art, Staff::Melody, 300, L + 100, true, true);
    EXPECT_TRUE(showsGlyph(art.note20, 300, L + 99));

    // E4 on the bottom line of the treble staff: the head spans 7 rows around L+136.
    clear();
    drawStemmedNote(dc, art, Staff::Melody, 200, noteTopY(181, 16), false, false);
    EXPECT_EQ(dc.pixel(204, L + 136), gdi::black);
    EXPECT_EQ(dc.pixel(204, L + 132), untouched);
    EXPECT_EQ(dc.pixel(204, L + 140), untouched);
}

TEST_F(NoteGlyphsTest, SignsSitBesideTheirHead)
{
    // Accidentals sit left of the head; other codes draw nothing.
    drawAccidental(dc, art, 200, 100, sharp);
    drawAccidental(dc, art, 250, 100, flat);
    drawAccidental(dc, art, 300, 100, natural);
    drawAccidental(dc, art, 350, 100, plain);
    EXPECT_TRUE(showsGlyph(art.diez, 194, 97));
    EXPECT_TRUE(showsGlyph(art.bemol, 244, 94));
    EXPECT_TRUE(showsGlyph(art.becar, 294, 97));
    EXPECT_EQ(count(340, 0, 160, 494, gdi::black), 0);

    // In G major (key 2) G is the tonic: step 18 (G4) is degree 0, E is La; chromatic
    // drills and custom melodies count from C, E is Mi.
    EXPECT_EQ(shapeDegree(18, ScaleMode::Major, DrillType::Composed, 2), 0);
    EXPECT_EQ(shapeDegree(16, ScaleMode::Major, DrillType::Composed, 2), 5);
    EXPECT_EQ(shapeDegree(16, ScaleMode::Other, DrillType::Composed, 2), 2);
    EXPECT_EQ(shapeDegree(16, ScaleMode::Major, DrillType::RandomCustom, 2), 2);
    clear();
    drawShapedHead(dc, art, 100, 100, 0, false);
    drawShapedHead(dc, art, 200, 100, 3, true);
    EXPECT_TRUE(showsGlyph(art.doshape, 100, 99));
    EXPECT_TRUE(showsGlyph(art.highlightedShapes[3], 200, 99));
}

TEST_F(NoteGlyphsTest, RestsCompleteTheLastBar)
{
    for (auto [notes, rests] : {std::pair{1, 3}, {5, 3}, {8, 0}, {12, 0}, {13, 0}})
        EXPECT_EQ(restCountAfter(notes), rests) << notes;
    EXPECT_EQ(drawRests(dc, art, 78, 5), 3);
    for (int n = 5; n < 8; ++n)
        EXPECT_TRUE(showsGlyph(art.rest, 78 + 30 * n, L + 115)) << n;
}

TEST(NaturalSigns, PlainNoteAfterItsSharpOrFlatInTheSameOctaveGetsANatural)
{
    // F#4 (30) then F4 (29): natural. Bb4 (34) then B4 (35): natural. G4 alone: nothing.
    const std::vector<int> index = {30, 29, 31, 34, 35, 29};
    std::vector<Accidental> accidental = {sharp, plain, plain, flat, plain, plain};
    const std::vector<Accidental> marked = {sharp, natural, plain, flat, natural, natural};
    markNaturalSigns(index, accidental);
    EXPECT_EQ(accidental, marked);
    markNaturalSigns(index, accidental); // marking again changes nothing
    EXPECT_EQ(accidental, marked);

    // Another octave's sharp, or a sharp coming later, does not count.
    accidental = {sharp, plain, sharp};
    markNaturalSigns(std::vector<int>{42, 29, 30}, accidental);
    EXPECT_EQ(accidental, (std::vector<Accidental>{sharp, plain, sharp}));
}

TEST_F(NoteGlyphsTest, LabelsSitUnderTheirNotes)
{
    EXPECT_EQ(noteLabelText(Notation::Letters, 17, sharp), "F#");
    EXPECT_EQ(noteLabelText(Notation::Letters, 17, natural), "F");
    EXPECT_EQ(noteLabelText(Notation::Solfege, 20, flat), "Sib");

    // Inside the box (opaque on its face) in microphone mode, under the note otherwise.
    const NoteBox box{66, L + 375, 30, 22};
    drawNoteLabel(dc, colours, box, "Do", Notation::Solfege, AnswerMode::Microphone,
                  LabelBackground::Opaque);
    EXPECT_GT(count(66, L + 380, 30, 16, colours[10]), 10);
    EXPECT_GT(count(66, L + 380, 30, 16, colours[2]), 5);
    clear();
    drawNoteLabel(dc, colours, box, "C", Notation::Letters, AnswerMode::Piano,
                  LabelBackground::Transparent);
    EXPECT_GT(count(66, L + 343, 30, 16, colours[2]), 3);
    EXPECT_EQ(count(0, 0, 500, 494, colours[8]), 0);
}

} // namespace
