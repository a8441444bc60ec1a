#include "music/pitch.h"
#include "solfara/guitar_panel.h"
#include "tests/support/accidentals.h"
#include "tests/support/answer_panel_fixture.h"

namespace {

constexpr int L = 122, T = 391; // the main window's neck
// Fret lines as offsets from the nut side; space f lies between line f - 1 and line f.
constexpr int fretLine[13] = {21, 46, 70, 93, 115, 136, 156, 175, 193, 210, 226, 241, 255};
constexpr int openNote[6] = {28, 23, 19, 14, 9, 4}; // E4 B3 G3 D3 A2 E2

struct GuitarTest : AnswerPanelTest {
    GuitarFretboard neck{FretboardGeometry::mainWindow(), sink, art, colours};
    StaffLayout layout = drawStaffWith(neck, AnswerMode::Guitar);

    PanelContext due(int note, Accidental accidental = plain)
    {
        return {{}, DueNote{note, accidental, layout.firstNoteX, layout.answerStaffBase}};
    }
};

TEST(FretPositionAt, FretSpacesTileTheNeck)
{
    const FretboardGeometry g = FretboardGeometry::mainWindow();
    const struct {
        const char* name;
        int x, y;
        int string, fret; // string -1: nothing
    } rows[] = {
        {"top edge misses", 200, T, -1, 0},
        {"bottom edge misses", 200, T + 57, -1, 0},
        {"left edge misses", L, T + 3, -1, 0},
        {"right edge misses", L + 255, T + 3, -1, 0},
        {"T + 6 is still string 0", 200, T + 6, 0, 3},
        {"T + 7 is string 1", 200, T + 7, 1, 3},
        {"last row is string 5", 200, T + 56, 5, 3},
        {"nut side is the open string", L + 1, T + 3, 0, 0},
        {"x = L + 21 is still open", L + 21, T + 3, 0, 0},
        {"x = L + 22 is fret 1", L + 22, T + 3, 0, 1},
        {"the first fret line belongs to fret 1", L + 46, T + 3, 0, 1},
        {"right of it fret 2", L + 47, T + 3, 0, 2},
        {"L + 241 ends fret 11", L + 241, T + 3, 0, 11},
        {"L + 242 starts fret 12", L + 242, T + 3, 0, 12},
        {"last column is fret 12", L + 254, T + 3, 0, 12},
    };
    for (const auto& r : rows) {
        const auto at = fretPositionAt(g, r.x, r.y);
        EXPECT_EQ(at ? at->string : -1, r.string) << r.name;
        if (at && r.string >= 0) {
            EXPECT_EQ(at->fret, r.fret) << r.name;
        }
    }
}

TEST(FretPositionAt, EachStringSoundsItsOpenNotePlusTheFret)
{
    const FretboardGeometry g = FretboardGeometry::mainWindow();
    for (int s = 0; s < 6; ++s) {
        const int y = T + 10 * s + 3;
        EXPECT_EQ(fretPositionAt(g, L + 5, y)->noteIndex, openNote[s]) << "string " << s;
        EXPECT_EQ(fretPositionAt(g, L + fretLine[4] + 1, y)->noteIndex, openNote[s] + 5) << s;
    }
    EXPECT_EQ(fretPositionAt(g, L + 250, T + 3)->noteIndex, 40); // the neck reaches E5
}

TEST_F(GuitarTest, APressedFretSoundsUntilReleased)
{
    const QImage before = image.copy();
    const QImage neckBefore = image.copy(L - 2, T - 2, 260, 62);
    // G string (2), fret 3: A#3/Bb3, note 22, due spelled flat.
    EXPECT_EQ(neck.pressAt(dc, L + 80, T + 23, due(22, flat)), 22);
    EXPECT_EQ(sent(), (std::vector<Message>{programChange(0), noteOn(58)}));
    EXPECT_TRUE(neck.correct());
    EXPECT_EQ(image.copy(L - 2, T - 2, 260, 62), neckBefore); // the neck shows no press
    const StaffMarker m = *neck.marker();
    // Bb3 is written flat on the step of B3 (13).
    EXPECT_EQ(m.accidental, flat);
    EXPECT_EQ(m.y, layout.answerStaffBase + layoutTop - 3 * 13);
    EXPECT_TRUE(showsGlyph(art.bemol, m.column - 6, m.y - 6));
    neck.release(dc);
    EXPECT_EQ(sent(), noteOffs(58));
    EXPECT_EQ(image, before);

    // Spelled sharp (or with no accidental) the same note is A#: the A step, one lower.
    neck.pressAt(dc, L + 80, T + 23, due(21));
    EXPECT_FALSE(neck.correct());
    EXPECT_EQ(neck.marker()->accidental, sharp);
    EXPECT_EQ(neck.marker()->y, layout.answerStaffBase + layoutTop - 3 * 12);
    EXPECT_TRUE(showsGlyph(art.diez, neck.marker()->column - 6, neck.marker()->y - 3));
    neck.release(dc);
    EXPECT_EQ(image, before);
}

TEST_F(GuitarTest, SlidingAlongAStringSoundsEachFretOnce)
{
    const int y = T + 3; // string 0
    neck.pressAt(dc, L + 10, y, due(28));
    sent();
    neck.slideTo(dc, L + 20, y + 5, due(28)); // still in the open string's cell
    EXPECT_TRUE(sent().empty());
    for (int f = 1; f <= 3; ++f)
        neck.slideTo(dc, L + fretLine[f - 1] + 2, y, due(28));
    EXPECT_EQ(sent(), noteOffs(64) + std::vector<Message>{noteOn(65)} + noteOffs(65) +
                          std::vector<Message>{noteOn(66)} + noteOffs(66) +
                          std::vector<Message>{noteOn(67)});
    // Just above the cell of string 1 but still in its band: the same place, no restart.
    neck.slideTo(dc, L + 80, T + 10, due(28)); // string 1, fret 3: cell top T + 9
    sent();
    neck.slideTo(dc, L + 80, T + 8, due(28));
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(neck.position()->string, 1);
    // Across strings onto the same pitch the note starts again after its release.
    neck.release(dc);
    neck.pressAt(dc, L + 135, T + 53, due(9)); // string 5, fret 5: A2
    sent();
    neck.slideTo(dc, L + 5, T + 43, due(9)); // open string 4: A2 too
    EXPECT_EQ(sent(), noteOffs(45) + std::vector<Message>{noteOn(45)});
    EXPECT_TRUE(neck.correct());
}

} // namespace
