#include "render/bevel.h"
#include "render/layout_top.h"
#include "render/mic_button.h"
#include "render/note_box.h"
#include "render/push_button.h"
#include "tests/support/canvas_probe.h"

namespace {

using WidgetsTest = RenderTest;
constexpr int top = layoutTop + 429; // the button row

TEST_F(WidgetsTest, ButtonOf68By28Covers69By29)
{
    PushButton settings{27, top, 68, 28};
    settings.drawRaised(dc, colours);
    EXPECT_EQ(count(27, top, 69, 29, untouched), 0);
    EXPECT_EQ(count(26, top - 1, 71, 31, untouched), 71 * 31 - 69 * 29 - 68); // + shadow row
    EXPECT_EQ(count(27, top, 69, 1, colours[25]), 69);                        // outline
    EXPECT_EQ(count(27, top, 1, 29, colours[25]), 29);
    EXPECT_EQ(dc.pixel(28, top + 10), colours[13]);         // lightest band outside
    EXPECT_EQ(dc.pixel(34, top + 10), colours[16]);         // innermost band is the face colour
    EXPECT_EQ(dc.pixel(95, top + 10), colours[19]);         // darkest band on the right edge
    EXPECT_EQ(count(27, top + 29, 70, 1, colours[19]), 68); // shadow under the outline

    // Pressing draws inside the same outline; raising again restores the raised look.
    const QImage raised = image.copy();
    settings.drawPressed(dc, colours);
    EXPECT_EQ(settings.pressed, 1);
    EXPECT_EQ(dc.pixel(28, top + 10), colours[26]);
    settings.drawRaised(dc, colours);
    EXPECT_EQ(image, raised);
}

TEST_F(WidgetsTest, LabelsAreCentred)
{
    clear(colours[16]);
    PushButton{104, top, 96, 28}.drawLabel(dc, colours, "New", 20);
    const int ink = count(104, top + 8, 96, 16, colours[20]);
    EXPECT_GT(ink, 10);
    EXPECT_NEAR(double(count(104, top + 8, 48, 16, colours[20])) / ink, 0.5, 0.2);

    drawCloseGlyph(dc, colours, PushButton{478, 8, 14, 13});
    drawMinimizeGlyph(dc, colours, PushButton{461, 8, 14, 13});
    EXPECT_GT(count(478, 8, 14, 16, colours[0]), 5);
    EXPECT_EQ(count(461, 14, 20, 1, colours[0]), 10);
    EXPECT_EQ(dc.pixel(463, 14), colours[0]); // x 463..472
}

TEST_F(WidgetsTest, MicButtonShowsTheFrameOfItsState)
{
    ASSERT_EQ(art.micButton.size(), QSize(104, 24));
    for (int frame = 0; frame < 4; ++frame) {
        const bool micOff = frame >= 2, selected = frame % 2;
        drawMicButton(dc, art.micButton, QRect(39, 409, 26, 24), micOff, selected);
        EXPECT_EQ(image.copy(39, 409, 26, 24), art.micButton.copy(26 * frame, 0, 26, 24)) << frame;
    }
}

} // namespace
