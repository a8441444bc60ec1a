#include "music/pitch.h"
#include "solfara/piano_panel.h"
#include "tests/support/accidentals.h"
#include "tests/support/answer_panel_fixture.h"

namespace {

constexpr int L = layoutTop;
constexpr gdi::Colour grey = gdi::rgb(128, 128, 128);

// Geometry of the main window's keyboard, written out independently of the code under test.
constexpr int left = 82, top = 396, right = 418, bottom = 439, W = 12;
int whiteX(int i)
{
    return left + W * i;
}

struct PianoTest : AnswerPanelTest {
    PianoKeyboard keyboard{KeyboardGeometry::mainWindow(), sink, art, colours};
    StaffLayout layout = drawStaffWith(keyboard, AnswerMode::Piano);

    PanelContext due(int note, Accidental accidental = plain, PanelSound sound = {})
    {
        return {sound, DueNote{note, accidental, layout.firstNoteX, layout.answerStaffBase}};
    }
};

TEST(PianoKeyAt, KeyBoundariesFallWhereTheyAreDrawn)
{
    const KeyboardGeometry g = KeyboardGeometry::mainWindow();
    const struct {
        const char* name;
        int x, y;
        int note; // -1: no key
    } rows[] = {
        {"left edge misses", left, 430, -1},
        {"first pixel inside is C2", left + 1, 430, 0},
        {"top edge misses", 200, top, -1},
        {"bottom edge misses", 200, bottom, -1},
        {"right edge misses", right, 430, -1},
        {"x = d belongs to the white key i", whiteX(1), 430, 2},
        {"x = d - 1 belongs to the white key i - 1", whiteX(1) - 1, 430, 0},
        {"upper half at d - 1 is the black key", whiteX(1) - 1, 400, 1},
        {"upper half at d + h - 1 is the black key", whiteX(1) + 3, 400, 1},
        {"upper half at d + h is white", whiteX(1) + 4, 400, 2},
        {"black key's last row", whiteX(1), top + 27, 1},
        {"below the black key is white", whiteX(1), top + 28, 2},
        {"E-F boundary, upper half, E side", whiteX(3) - 1, 400, 4},
        {"E-F boundary, upper half, F side", whiteX(3), 400, 5},
        {"B-C boundary, upper half, B side", whiteX(7) - 1, 400, 11},
        {"B-C boundary, upper half, C side", whiteX(7), 400, 12},
        {"last key, right end, upper half", right - 1, 400, 47},
    };
    for (const auto& r : rows) {
        const auto key = pianoKeyAt(g, r.x, r.y);
        EXPECT_EQ(key ? key->noteIndex : -1, r.note) << r.name;
    }
}

TEST_F(PianoTest, DrawShowsTwentyBlackKeysAmongTheWhite)
{
    const gdi::Colour face = colours[28], blackKey = colours[29];
    EXPECT_EQ(dc.pixel(whiteX(0) + 6, 430), face);
    EXPECT_EQ(dc.pixel(whiteX(1), 430), gdi::black);     // white key edge at x = d
    EXPECT_EQ(dc.pixel(whiteX(1) - 1, 430), grey);       // and the grey line left of it
    EXPECT_EQ(dc.pixel(whiteX(1) - 1, 405), gdi::white); // the black key's rim
    // No black key between E and F, nor between B and C: face beside the edge.
    EXPECT_EQ(dc.pixel(whiteX(3) + 2, 400), face);
    EXPECT_EQ(dc.pixel(whiteX(7) + 2, 400), face);
    EXPECT_EQ(dc.pixel(right, 430), gdi::black);
    EXPECT_EQ(dc.pixel(200, bottom + 4), grey); // the shadow under the keys
    int blackBodies = 0;
    for (int i = 0; i < 28; ++i)
        blackBodies += dc.pixel(whiteX(i) - 2, 405) == blackKey;
    EXPECT_EQ(blackBodies, 20);
}

TEST_F(PianoTest, APressedKeySoundsUntilReleased)
{
    const QImage before = image.copy();
    const int c4 = whiteX(14);
    EXPECT_EQ(keyboard.pressAt(dc, c4 + 6, 430, due(24, plain, {.midiVol = 128, .miditimbre = 5})),
              24);
    EXPECT_EQ(sent(), (std::vector<Message>{programChange(5), noteOn(60, 127)}));
    EXPECT_TRUE(keyboard.held());
    EXPECT_EQ(keyboard.midiKey(), 60);
    EXPECT_EQ(dc.pixel(c4 + 2, 430), gdi::rgb(192, 192, 192)); // shaded left side
    EXPECT_EQ(dc.pixel(c4 + 6, bottom + 2), gdi::white);       // front band
    EXPECT_EQ(dc.pixel(c4, bottom + 3), gdi::black);           // edge reaching further down

    keyboard.draw(dc); // a repaint while held keeps the key down and the note to stop
    EXPECT_EQ(dc.pixel(c4 + 6, bottom + 2), gdi::white);
    keyboard.release(dc);
    EXPECT_EQ(sent(), noteOffs(60));
    EXPECT_EQ(image, before);
    keyboard.release(dc); // a second release has nothing left to stop
    EXPECT_TRUE(sent().empty());

    // A black key looks pushed in: its foot bands turn black; a transposition moves the key.
    const int d = whiteX(15); // C#4 left of D4
    keyboard.pressAt(dc, d, 400, due(24, plain, {.transpose = 26}));
    EXPECT_EQ(sent(), (std::vector<Message>{programChange(0), noteOn(25 + 38)}));
    EXPECT_EQ(dc.pixel(d, top + 28 - 4 - 5), gdi::black);
    EXPECT_EQ(dc.pixel(d - 3, 405), gdi::black);
    keyboard.release(dc);
    sent();
    EXPECT_EQ(image, before);
}

TEST_F(PianoTest, SlidingSoundsEachNewKeyOnce)
{
    const int c4 = whiteX(14);
    keyboard.pressAt(dc, c4 + 2, 430, due(30));
    sent();
    keyboard.slideTo(dc, c4 + 5, 420, due(30)); // still C4
    EXPECT_TRUE(sent().empty());
    keyboard.slideTo(dc, c4 + 10, 400, due(30)); // upper right of C4: C#4
    keyboard.slideTo(dc, c4 + 12, 400, due(30)); // still C#4, now on D's side
    keyboard.slideTo(dc, c4 + 18, 430, due(30)); // D4
    keyboard.slideTo(dc, c4 + 5, 430, due(30));  // back to C4
    EXPECT_EQ(sent(), noteOffs(60) + std::vector<Message>{noteOn(61)} + noteOffs(61) +
                          std::vector<Message>{noteOn(62)} + noteOffs(62) +
                          std::vector<Message>{noteOn(60)});
    EXPECT_EQ(keyboard.pressedNote(), 24);
}

TEST_F(PianoTest, TheMarkerIsSpelledAsTheDueNoteWants)
{
    const int base = layout.answerStaffBase + L;
    const struct {
        const char* name;
        int note;
        Accidental dueAccidental;
        Accidental accidental; // expected spelling: the sign and the staff step it sits on
        int step;
    } rows[] = {
        {"F#/Gb due flat: flat on G", 30, flat, flat, 18},
        {"F#/Gb due sharp: sharp on F", 30, sharp, sharp, 17},
        {"black key due natural: sharp", 25, plain, sharp, 14},
        {"E due flat: Fb", 28, flat, flat, 17},
        {"B due flat: Cb", 35, flat, flat, 21},
        {"F due sharp: E#", 29, sharp, sharp, 16},
        {"C due sharp: B#", 24, sharp, sharp, 13},
        {"E due sharp: plain E", 28, sharp, plain, 16},
        {"C due natural", 24, plain, plain, 14},
    };
    const QImage before = image.copy();
    for (const auto& r : rows) {
        const auto key = pianoKeyOfNote(keyboard.geometry(), r.note);
        const int x = key->shape == KeyShape::Black ? key->x : key->x + 6;
        const int y = key->shape == KeyShape::Black ? 400 : 430;
        keyboard.pressAt(dc, x, y, due(r.note + 1, r.dueAccidental));
        ASSERT_TRUE(keyboard.marker()) << r.name;
        const StaffMarker m = *keyboard.marker();
        EXPECT_EQ(m.accidental, r.accidental) << r.name;
        EXPECT_EQ(m.y, base - 3 * r.step) << r.name;
        EXPECT_EQ(m.column, layout.firstNoteX) << r.name;
        EXPECT_TRUE(showsGlyph(art.note, m.column, m.y)) << r.name;
        if (r.accidental == flat) {
            EXPECT_TRUE(showsGlyph(art.bemol, m.column - 6, m.y - 6)) << r.name;
        } else if (r.accidental == sharp) {
            EXPECT_TRUE(showsGlyph(art.diez, m.column - 6, m.y - 3)) << r.name;
        }
        keyboard.release(dc);
        EXPECT_EQ(image, before) << r.name;
    }
}

TEST_F(PianoTest, OnlyTheDueNoteIsCorrect)
{
    const int c4 = whiteX(14);
    keyboard.pressAt(dc, c4 + 6, 430, due(24));
    EXPECT_TRUE(keyboard.correct());
    keyboard.slideTo(dc, c4 + 18, 430, due(24));
    EXPECT_FALSE(keyboard.correct());
    keyboard.slideTo(dc, c4 + 6, 430, due(24));
    EXPECT_TRUE(keyboard.correct());
    keyboard.release(dc);
    EXPECT_TRUE(keyboard.correct()); // kept for the window to accept after the release
    keyboard.clearCorrect();
    sent();

    const QImage staffBefore = image.copy(0, 0, 500, 390);
    const PanelContext editor{{.transpose = 30, .editor = true}, std::nullopt};
    keyboard.pressAt(dc, c4 + 6, 430, editor);
    keyboard.slideTo(dc, c4 + 18, 430, editor);
    EXPECT_FALSE(keyboard.correct());
    EXPECT_FALSE(keyboard.marker());
    EXPECT_EQ(image.copy(0, 0, 500, 390), staffBefore);
    keyboard.release(dc);
    EXPECT_EQ(sent(), (std::vector<Message>{programChange(0), noteOn(60)} + noteOffs(60) +
                       std::vector<Message>{noteOn(62)} + noteOffs(62)));
}

TEST_F(PianoTest, EditorPlaybackShowsKeysWithoutSound)
{
    const QImage before = image.copy();
    keyboard.pressNote(dc, 36 + 25); // C#4
    EXPECT_EQ(dc.pixel(whiteX(15) - 3, 405), gdi::black);
    keyboard.releaseNote(dc, 36 + 25);
    EXPECT_EQ(image, before);
    EXPECT_TRUE(sent().empty());
}

} // namespace
