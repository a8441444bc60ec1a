#include "music/pitch.h"
#include "render/caption.h"
#include "render/natural_signs.h"
#include "render/note_glyphs.h"
#include "render/note_labels.h"
#include "tests/render/canvas_probe.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int L = layoutTop;
constexpr gdi::Colour paper = gdi::rgb(233, 233, 216);

struct NoteGlyphsTest : testing::Test {
    QImage image{500, 494, QImage::Format_RGB32};
    gdi::Canvas dc{image};
    NoteBitmaps art = loadNoteBitmaps();
    CanvasProbe probe{dc};
    NoteGlyphsTest() { image.fill(paper); }

    int blackRows() const
    {
        int rows = 0;
        for (int y = 0; y < 494; ++y)
            rows += probe.count(0, y, 500, 1, gdi::black) > 0;
        return rows;
    }
};

// Treble staff: A = 181 + L = 206, so position p has its glyph top at 206 - 3 p.
constexpr int A = 181 + L;
constexpr int topOf(int p)
{
    return A - 3 * p;
}

TEST_F(NoteGlyphsTest, LedgerLineThroughTheHeadAboveTheStaff)
{
    drawLedgerLines(dc, ClefCase::Treble, 100, topOf(26), A);
    EXPECT_EQ(blackRows(), 1);
    EXPECT_EQ(probe.count(0, L + 106, 500, 1, gdi::black), 16);
    EXPECT_EQ(dc.pixel(97, L + 106), gdi::black);
    EXPECT_EQ(dc.pixel(112, L + 106), gdi::black);
    EXPECT_EQ(topOf(26) + 3, L + 106); // through the head's centre
}

TEST_F(NoteGlyphsTest, LedgerLineBelowTheHeadOfTheSpaceAbove)
{
    drawLedgerLines(dc, ClefCase::Treble, 100, topOf(27), A);
    EXPECT_EQ(blackRows(), 1);
    EXPECT_EQ(probe.count(97, L + 106, 16, 1, gdi::black), 16);
}

TEST_F(NoteGlyphsTest, MiddleCGetsOneLineFromXMinus3)
{
    drawLedgerLines(dc, ClefCase::Treble, 100, topOf(14), A);
    EXPECT_EQ(blackRows(), 1);
    EXPECT_EQ(probe.count(97, L + 142, 16, 1, gdi::black), 16);
}

TEST_F(NoteGlyphsTest, NoteBelowMiddleCHangsFromTheLineAtXMinus2)
{
    drawLedgerLines(dc, ClefCase::Treble, 100, topOf(13), A);
    EXPECT_EQ(blackRows(), 1);
    EXPECT_EQ(probe.count(98, L + 142, 16, 1, gdi::black), 16);
    EXPECT_EQ(dc.pixel(97, L + 142), paper);

    image.fill(paper);
    drawLedgerLines(dc, ClefCase::Treble, 100, topOf(10), A); // two lines: q = 10, 12, 14
    EXPECT_EQ(blackRows(), 3);
    EXPECT_EQ(probe.count(98, L + 154, 16, 1, gdi::black), 16);
}

TEST_F(NoteGlyphsTest, NoLedgerLinesInsideOrFarOutsideTheStaff)
{
    for (int p : {15, 16, 20, 24, 25, -1, 40})
        drawLedgerLines(dc, ClefCase::Treble, 100, topOf(p), A);
    EXPECT_EQ(blackRows(), 0);
}

TEST_F(NoteGlyphsTest, BassAndGuitarStavesUseTrebleEquivalentPositions)
{
    // Bass: base 145; G2 (step 4) lies on the bottom line, p 16.
    EXPECT_EQ(trebleEquivalentPosition(ClefCase::Bass, 145 + L, noteTopY(145, 4)), 16);
    // Middle C on the bass staff is the first line above it.
    drawLedgerLines(dc, ClefCase::Bass, 100, noteTopY(145, 14), 145 + L);
    EXPECT_EQ(probe.count(97, L + 106, 16, 1, gdi::black), 16);
    // Guitar: C3 (step 7) is written on the first line below the staff.
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
    EXPECT_TRUE(probe.showsGlyph(art.note1, 200, L + 110, 10, 27));
    drawStemmedNote(dc, art, Staff::Melody, 300, L + 100, true, true);
    EXPECT_TRUE(probe.showsGlyph(art.note20, 300, L + 99, 10, 28));
}

TEST_F(NoteGlyphsTest, HeadSitsOnTheLineItsPositionNames)
{
    // E4 on the bottom line of the treble staff: the head's centre row is black on L+136.
    const int y = noteTopY(181, 16);
    drawStemmedNote(dc, art, Staff::Melody, 200, y, false, false);
    EXPECT_EQ(y + 3, L + 136);
    EXPECT_EQ(dc.pixel(204, L + 136), gdi::black);
    EXPECT_EQ(dc.pixel(204, L + 132), paper); // head spans 7 rows around the line
    EXPECT_EQ(dc.pixel(204, L + 140), paper);
}

TEST_F(NoteGlyphsTest, AccidentalsSitLeftOfTheHead)
{
    drawAccidental(dc, art, 200, 100, kSharp);
    EXPECT_TRUE(probe.showsGlyph(art.diez, 194, 97, 5, 14));
    drawAccidental(dc, art, 250, 100, kFlat);
    EXPECT_TRUE(probe.showsGlyph(art.bemol, 244, 94, 5, 14));
    drawAccidental(dc, art, 300, 100, kNaturalSignOffset);
    EXPECT_TRUE(probe.showsGlyph(art.becar, 294, 97, 5, 14));
    const int drawn = probe.count(0, 0, 500, 494, gdi::black);
    drawAccidental(dc, art, 350, 100, kNoAccidental);
    EXPECT_EQ(probe.count(0, 0, 500, 494, gdi::black), drawn);
}

TEST_F(NoteGlyphsTest, ShapedHeadsFollowTheDegree)
{
    // In G major (key 2) G is the tonic: step 18 (G4) is degree 0.
    EXPECT_EQ(shapeDegree(18, 0, 1, 2), 0);
    EXPECT_EQ(shapeDegree(16, 0, 1, 2), 5); // E is La
    EXPECT_EQ(shapeDegree(16, 2, 1, 2), 2); // chromatic: counted from C, E is Mi
    EXPECT_EQ(shapeDegree(16, 0, 2, 2), 2); // custom melody likewise
    drawShapedHead(dc, art, 100, 100, 0, false);
    EXPECT_TRUE(probe.showsGlyph(art.doshape, 100, 99, 13, 9));
    drawShapedHead(dc, art, 200, 100, 3, true);
    EXPECT_TRUE(probe.showsGlyph(art.highlightedShapes[3], 200, 99, 13, 9));
}

TEST_F(NoteGlyphsTest, RestsCompleteTheLastBar)
{
    EXPECT_EQ(restCountAfter(5), 3);
    EXPECT_EQ(restCountAfter(8), 0);
    EXPECT_EQ(restCountAfter(12), 0);
    EXPECT_EQ(restCountAfter(13), 0);
    EXPECT_EQ(restCountAfter(1), 3);
    EXPECT_EQ(drawRests(dc, art, 78, 5), 3);
    for (int n = 5; n < 8; ++n)
        EXPECT_TRUE(probe.showsGlyph(art.rest, 78 + 30 * n, L + 115, 7, 20)) << n;
}

TEST(NaturalSigns, PlainNoteAfterItsSharpOrFlatGetsANatural)
{
    // F#4 (30) then F4 (29): natural. Bb4 (34) then B4 (35): natural. G4 alone: nothing.
    const std::vector<int> index = {30, 29, 31, 34, 35, 29};
    std::vector<int> accidental = {kSharp, 0, 0, kFlat, 0, 0};
    markNaturalSigns(index, accidental);
    EXPECT_EQ(accidental, (std::vector<int>{kSharp, 100, 0, kFlat, 100, 100}));
    // Marking again changes nothing.
    markNaturalSigns(index, accidental);
    EXPECT_EQ(accidental, (std::vector<int>{kSharp, 100, 0, kFlat, 100, 100}));
}

TEST(NaturalSigns, OtherOctavesAndLaterSharpsDoNotCount)
{
    const std::vector<int> index = {42, 29, 30};
    std::vector<int> accidental = {kSharp, 0, kSharp};
    markNaturalSigns(index, accidental);
    EXPECT_EQ(accidental, (std::vector<int>{kSharp, 0, kSharp}));
}

TEST(NoteLabels, NamesComeFromTheTableOfTheAccidental)
{
    EXPECT_EQ(noteLabelText(0, 14, 0), "C");
    EXPECT_EQ(noteLabelText(0, 17, kSharp), "F#");
    EXPECT_EQ(noteLabelText(0, 20, kFlat), "Bb");
    EXPECT_EQ(noteLabelText(0, 17, kNaturalSignOffset), "F");
    EXPECT_EQ(noteLabelText(1, 18, 0), "Sol");
    EXPECT_EQ(noteLabelText(1, 20, kFlat), "Sib");
}

TEST(NoteLabels, LabelGoesInsideTheBoxOrUnderTheAnsweredNote)
{
    QImage image(500, 494, QImage::Format_RGB32);
    image.fill(gdi::white);
    gdi::Canvas dc(image);
    const ColourTable colours = fillColours();
    CanvasProbe probe{dc};
    const NoteBox box{66, L + 375, 30, 22};
    drawNoteLabel(dc, colours, box, "Do", 1, kMicrophoneMode, LabelBackground::Opaque);
    EXPECT_GT(probe.count(66, L + 380, 30, 16, colours[10]), 10); // opaque on the box face
    EXPECT_GT(probe.count(66, L + 380, 30, 16, colours[2]), 5);
    image.fill(gdi::white);
    drawNoteLabel(dc, colours, box, "C", 0, kPianoMode, LabelBackground::Transparent);
    EXPECT_GT(probe.count(66, L + 343, 30, 16, colours[2]), 3);
    EXPECT_EQ(probe.count(0, 0, 500, 494, colours[8]), 0);
}

TEST(Caption, TextsForEachDrillType)
{
    EXPECT_EQ(captionText(1, 3, 24, ""), "Tenor - Algorithmic Melody");
    EXPECT_EQ(captionText(1, 0, 26, ""), "Soprano - Algorithmic Melody - transpose +2");
    EXPECT_EQ(captionText(1, 5, 0, ""), "Bass - Algorithmic Melody - transpose -24");
    EXPECT_EQ(captionText(2, 4, 24, "Ode"), "Baritone - Custom Melody - Ode");
}

} // namespace
