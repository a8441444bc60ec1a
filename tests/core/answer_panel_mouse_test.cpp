#include "core/answer_panel_mouse.h"
#include "render/guitar_fretboard.h"
#include "render/piano_keyboard.h"
#include "tests/render/answer_panel_fixture.h"

namespace {

constexpr int c4x = 82 + 12 * 14 + 6, d4x = c4x + 12, keyY = 430; // white keys C4, D4

struct PanelMouseTest : AnswerPanelTest {
    PianoKeyboard keyboard{KeyboardGeometry::mainWindow(), sink, art, colours};
    AnswerPanelMouse mouse{keyboard};
    StaffLayout layout = drawStaffWith(keyboard, kPianoMode);

    PanelContext due(int note)
    {
        return {{}, DueNote{note, 0, layout.firstNoteX, layout.answerStaffBase}};
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

TEST_F(AnswerPanelTest, GuitarDrillAnsweredThroughTheMouse)
{
    GuitarFretboard neck(FretboardGeometry::mainWindow(), sink, art, colours);
    AnswerPanelMouse mouse(neck);
    const StaffLayout layout = drawStaffWith(neck, kGuitarMode);
    // E2 open, A2 on string 5 fret 5, a wrong A#2 first, then C#3 on string 4 fret 4.
    const struct {
        int due, x, y;
        bool accepted;
    } clicks[] = {
        {4, 130, 440, true}, {9, 250, 440, true}, {13, 270, 440, false}, {13, 230, 430, true}};
    int column = 0;
    for (const auto& c : clicks) {
        const PanelContext context{
            {}, DueNote{c.due, 0, layout.firstNoteX + 30 * column, layout.answerStaffBase}};
        PanelCursor cursor;
        ASSERT_TRUE(mouse.press(dc, c.x, c.y, context, cursor));
        const bool accepted = mouse.release(dc).accept;
        EXPECT_EQ(accepted, c.accepted) << c.due;
        column += accepted;
    }
    EXPECT_EQ(column, 3);
}

} // namespace
