#include "solfara/answer_panel_mouse.h"
#include "solfara/guitar_panel.h"
#include "solfara/piano_panel.h"
#include "tests/support/accidentals.h"
#include "tests/support/answer_panel_fixture.h"

namespace {

constexpr int c4x = 82 + 12 * 14 + 6, d4x = c4x + 12, keyY = 430; // white keys C4, D4

struct PanelMouseTest : AnswerPanelTest {
    PianoKeyboard keyboard{KeyboardGeometry::mainWindow(), sink, art, colours};
    AnswerPanelMouse mouse{keyboard};
    StaffLayout layout = drawStaffWith(keyboard, AnswerMode::Piano);

    PanelContext due(int note)
    {
        return {{}, DueNote{note, plain, layout.firstNoteX, layout.answerStaffBase}};
    }
};

TEST_F(PanelMouseTest, HoverCursorChangesOnlyWhenCrossingTheEdge)
{
    EXPECT_EQ(mouse.move(dc, c4x, keyY, due(24)), PanelCursor::Keyboard);
    EXPECT_EQ(mouse.move(dc, d4x, keyY, due(24)), PanelCursor::Unchanged);
    EXPECT_EQ(mouse.move(dc, 82, keyY, due(24)), PanelCursor::Arrow); // the edge is outside
    EXPECT_EQ(mouse.move(dc, 60, keyY, due(24)), PanelCursor::Unchanged);
    EXPECT_EQ(mouse.release(dc).accept, false);
    EXPECT_TRUE(sent().empty());
}

TEST_F(PanelMouseTest, DragOutStopsTheNoteDragBackPressesAgain)
{
    PanelCursor cursor = PanelCursor::Unchanged;
    EXPECT_FALSE(mouse.press(dc, 82, keyY, due(26), cursor)); // on the edge: a miss
    EXPECT_TRUE(mouse.press(dc, c4x, keyY, due(26), cursor));
    EXPECT_EQ(cursor, PanelCursor::PressedKey);
    EXPECT_EQ(mouse.move(dc, c4x + 2, keyY, due(26)), PanelCursor::Unchanged);
    EXPECT_EQ(mouse.move(dc, c4x, 460, due(26)), PanelCursor::Arrow);
    EXPECT_FALSE(keyboard.held());
    EXPECT_EQ(mouse.move(dc, c4x, 470, due(26)), PanelCursor::Unchanged);
    EXPECT_EQ(mouse.move(dc, d4x, keyY, due(26)), PanelCursor::PressedKey);
    const auto released = mouse.release(dc);
    EXPECT_TRUE(released.accept); // D4 was due
    EXPECT_EQ(released.cursor, PanelCursor::Keyboard);
    EXPECT_EQ(sent(), (std::vector<Message>{programChange(0), noteOn(60)} + noteOffs(60) +
                       std::vector<Message>{programChange(0), noteOn(62)} + noteOffs(62)));
    EXPECT_FALSE(keyboard.correct()); // taken by the acceptance
}

TEST_F(PanelMouseTest, ReleaseOutsideAfterTheRightKeyStillAccepts)
{
    PanelCursor cursor;
    mouse.press(dc, c4x, keyY, due(24), cursor);
    mouse.move(dc, 300, 200, due(24));
    sent();
    const auto released = mouse.release(dc);
    EXPECT_TRUE(released.accept);
    EXPECT_EQ(released.cursor, PanelCursor::Arrow);
    EXPECT_TRUE(sent().empty()); // the note stopped when the pointer left
    EXPECT_FALSE(mouse.release(dc).accept);

    mouse.press(dc, c4x, keyY, due(24), cursor);
    mouse.move(dc, d4x, keyY, due(24)); // slid off the due key before letting go
    EXPECT_FALSE(mouse.release(dc).accept);
}

TEST_F(AnswerPanelTest, DrillsAnsweredToTheEndByClicks)
{
    // A wrong click in between is heard but not accepted; the column moves only on the due
    // note, whose spelling (sharp or flat) is the melody's.
    struct Click {
        int due;
        Accidental accidental;
        int x, y;
        bool accepted;
    };
    PianoKeyboard keyboard(KeyboardGeometry::mainWindow(), sink, art, colours);
    GuitarFretboard neck(FretboardGeometry::mainWindow(), sink, art, colours);
    const struct {
        const char* name;
        AnswerPanel& panel;
        AnswerMode mode;
        std::vector<Click> clicks;
    } drills[] = {
        {"piano C4 F#4 Bb4 B5, wrong D4",
         keyboard,
         AnswerMode::Piano,
         {{24, plain, c4x, keyY, true},
          {30, sharp, 298, 400, true},
          {34, flat, d4x, keyY, false},
          {34, flat, 322, 400, true},
          {47, plain, 417, keyY, true}}},
        {"guitar E2 A2 C#3 E5, wrong A#2",
         neck,
         AnswerMode::Guitar,
         {{4, plain, 130, 440, true},
          {9, plain, 250, 440, true},
          {13, sharp, 270, 440, false},
          {13, sharp, 230, 430, true},
          {40, plain, 376, 394, true}}},
    };
    for (const auto& drill : drills) {
        AnswerPanelMouse mouse(drill.panel);
        const StaffLayout layout = drawStaffWith(drill.panel, drill.mode);
        int column = 0;
        for (const Click& c : drill.clicks) {
            const PanelContext context{{},
                                       DueNote{c.due, c.accidental, layout.firstNoteX + 30 * column,
                                               layout.answerStaffBase}};
            PanelCursor cursor;
            ASSERT_TRUE(mouse.press(dc, c.x, c.y, context, cursor)) << drill.name;
            const bool accepted = mouse.release(dc).accept;
            EXPECT_EQ(accepted, c.accepted) << drill.name << " " << c.due;
            column += accepted;
        }
        EXPECT_EQ(column, 4) << drill.name;
    }
}

} // namespace
