#include "render/drill_display.h"

#include "music/pitch.h"
#include "tests/support//canvas_probe.h"
#include "tests/support/accidentals.h"

namespace {

constexpr int L = layoutTop;

struct DrillDisplayTest : RenderTest {
    StaffLayout layout = layoutStaffPanel({.answerMode = AnswerMode::Microphone, .range = 1});
    DrillDrawing d{.colours = colours, .art = art, .layout = layout};
    PitchMarker marker{.x = 78, .erased = true};

    DrillDisplayTest() { clear(colours[colour::paper]); }
};

TEST_F(DrillDisplayTest, MarkerStandsOnTheSungNotesStepSpelledAfterTheDueNote)
{
    const int base = layout.answerStaffBase + L; // 324 + 25 for the treble staff
    const struct {
        const char* name;
        int sungNote;
        Accidental dueAccidental;
        int y;
        Accidental accidental;
    } cases[] = {
        {"C4 plain", 24, plain, base - 3 * 14, plain},
        {"C#4 as a sharp, one step lower", 25, plain, base - 3 * 15 + 3, sharp},
        {"Db4 when the due note is flat", 25, flat, base - 3 * 15, flat},
        {"B3 as C flat", 23, flat, base - 3 * 14, flat},
        {"C4 as B sharp", 24, sharp, base - 3 * 14 + 3, sharp},
        {"C6, above the drills' notes", 48, plain, base - 3 * 28, plain},
    };
    for (const auto& c : cases) {
        drawPitchMarker(dc, d, marker, c.sungNote, c.dueAccidental);
        EXPECT_EQ(marker.y, c.y) << c.name;
        EXPECT_EQ(marker.bottom, c.y + 7) << c.name;
        EXPECT_EQ(marker.accidental, c.accidental) << c.name;
        EXPECT_TRUE(showsGlyph(art.note, marker.x, marker.y)) << c.name;
    }
    erasePitchMarker(dc, d, marker);
    EXPECT_TRUE(marker.erased);
    EXPECT_EQ(count(marker.x, marker.y, 10, 7, gdi::black), 0);
}

TEST_F(DrillDisplayTest, AcceptedNoteTakesTheMarkersPlaceWithItsStemByHeight)
{
    Melody melody;
    melody.noteCount = 2;
    melody.step = {14, 23};
    melody.accidental = {plain, natural};
    drawPitchMarker(dc, d, marker, 24, plain); // C4, below the middle line
    drawAcceptedNote(dc, d, melody, 0, marker, false);
    EXPECT_TRUE(showsGlyph(art.note1, marker.x, marker.y - 20, 27)) << "stem up";

    marker.x += 30;
    drawPitchMarker(dc, d, marker, 40, plain); // E5, above it
    drawAcceptedNote(dc, d, melody, 1, marker, true);
    EXPECT_TRUE(showsGlyph(art.note2, marker.x, marker.y - 1, 27)) << "stem down";
    EXPECT_TRUE(showsGlyph(art.becar, marker.x - 6, marker.y - 3));
}

TEST_F(DrillDisplayTest, HighlightOffRestoresTheLines)
{
    Melody melody;
    melody.noteCount = 1;
    melody.step = {12}; // A3: two ledger lines below the treble staff
    std::array<NoteBox, kNoteBoxCount> boxes = layout.noteBoxes;
    drawStaffPanel(dc, colours, art, {.answerMode = AnswerMode::Microphone, .range = 1});
    drawMelodyNote(dc, d, melody, 0, boxes);
    const QImage drawn = image.copy();
    highlightNote(dc, d, melody, 0, true, boxes);
    EXPECT_EQ(boxes[0].pressed, 1);
    EXPECT_NE(image, drawn);
    highlightNote(dc, d, melody, 0, false, boxes);
    EXPECT_EQ(boxes[0].pressed, 0);
    // Lines and glyphs match the plain drawing; only the label went opaque.
    const int x = noteColumnX(layout, 0);
    EXPECT_EQ(image.copy(x - 10, L + 100, 23, 80), drawn.copy(x - 10, L + 100, 23, 80));
}

// C minor is written under three flats, yet its tonic C is Do: a shaped head follows the
// key the melody was made in, not the signature drawn.
TEST_F(DrillDisplayTest, AShapedHeadFollowsTheDrillsKeyNotItsSignature)
{
    Melody melody;
    melody.noteCount = 1;
    melody.step[0] = 21; // C5
    melody.drillKey = 1; // C
    const auto drawnUnder = [&](int signature) {
        clear(colours[colour::paper]);
        StaffLayout signed_ = layout;
        signed_.keySignature = signature;
        const DrillDrawing shaped{.colours = colours,
                                  .art = art,
                                  .layout = signed_,
                                  .shapeNote = 1,
                                  .mode = ScaleMode::Minor};
        drawMelodyNote(dc, shaped, melody, 0, signed_.noteBoxes);
        return image.copy();
    };
    EXPECT_EQ(drawnUnder(11), drawnUnder(1));
}

} // namespace
