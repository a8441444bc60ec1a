#include "render/bevel.h"
#include "render/mic_button.h"
#include "render/note_bitmaps.h"
#include "render/note_box.h"
#include "render/push_button.h"
#include "render/staff_layout.h"
#include "tests/render/canvas_probe.h"

#include <gtest/gtest.h>

namespace {

constexpr gdi::Colour untouched = gdi::rgb(1, 2, 3);

struct WidgetsTest : testing::Test {
    QImage image{500, 494, QImage::Format_RGB32};
    gdi::Canvas dc{image};
    ColourTable colours = fillColours();
    CanvasProbe probe{dc};
    WidgetsTest() { image.fill(untouched); }
};

TEST(Colours, TableHoldsTheGreyRampAndFixedEntries)
{
    const ColourTable c = fillColours();
    EXPECT_EQ(c[0], gdi::rgb(233, 233, 216));
    EXPECT_EQ(c[13], gdi::rgb(196, 213, 213));
    EXPECT_EQ(c[16], gdi::rgb(136, 153, 153));
    EXPECT_EQ(c[19], gdi::rgb(76, 93, 93));
    EXPECT_EQ(c[29], gdi::rgb(16, 16, 63));
    EXPECT_EQ(brushOf(c, 12).colour, c[12]);
}

TEST_F(WidgetsTest, BevelsDrawFourTwoPixelBands)
{
    bevelTopLeft(dc, colours, 10, 10, 40, 40, 24, 2);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(dc.pixel(10 + 2 * k, 25), colours[24 + k]) << k;
        EXPECT_EQ(dc.pixel(11 + 2 * k, 25), colours[24 + k]) << k;
        EXPECT_EQ(dc.pixel(25, 10 + 2 * k), colours[24 + k]) << k;
    }
    EXPECT_EQ(dc.pixel(18, 25), untouched);
    EXPECT_EQ(dc.pixel(40, 10), untouched); // polyline leaves out its end

    image.fill(untouched);
    bevelBottomRight(dc, colours, 10, 10, 40, 40, 21, 2);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(dc.pixel(25, 40 - 2 * k), colours[24 - k]) << k;
        EXPECT_EQ(dc.pixel(39 - 2 * k, 25), colours[24 - k]) << k;
        EXPECT_EQ(dc.pixel(38 - 2 * k, 25), colours[24 - k]) << k;
    }
    EXPECT_EQ(dc.pixel(40, 25), untouched);
}

TEST_F(WidgetsTest, ButtonOf68By28Covers69By29)
{
    // The outlines end one past left + width and top + height, exclusive.
    PushButton settings{27, layoutTop + 429, 68, 28};
    const int top = layoutTop + 429;
    settings.drawPressed(dc, colours);
    EXPECT_EQ(probe.count(26, top - 1, 71, 31, untouched),
              71 * 31 - (2 * (69 + 29) - 4) - (2 * (67 + 27) - 4));
    EXPECT_EQ(probe.count(27, top, 69, 1, colours[25]), 69);
    EXPECT_EQ(probe.count(27, top, 1, 29, colours[25]), 29);
    EXPECT_EQ(dc.pixel(96, top), untouched);
    EXPECT_EQ(dc.pixel(27, top + 29), untouched);

    image.fill(untouched);
    settings.pressed = 0;
    settings.drawRaised(dc, colours);
    EXPECT_EQ(probe.count(27, top, 69, 29, untouched), 0); // the whole 69 x 29 is drawn
    EXPECT_EQ(dc.pixel(96, top + 10), untouched);
    EXPECT_EQ(dc.pixel(27, top), colours[25]);      // outline
    EXPECT_EQ(dc.pixel(28, top + 10), colours[13]); // lightest band outside
    EXPECT_EQ(dc.pixel(34, top + 10), colours[16]); // innermost band is the face colour
    EXPECT_EQ(dc.pixel(95, top + 10), colours[19]); // darkest band on the right edge
    EXPECT_EQ(dc.pixel(60, top + 14), colours[16]); // face
    // The bottom-right bevel is given the box one past the outline, so its darkest band
    // lies as a shadow row just under the outline.
    EXPECT_EQ(probe.count(27, top + 29, 70, 1, colours[19]), 68); // x 28..95
    EXPECT_EQ(settings.pressed, 0);
}

TEST_F(WidgetsTest, PressedThenRaisedRestoresTheRaisedLook)
{
    PushButton hear{201, layoutTop + 429, 96, 28};
    hear.drawRaised(dc, colours);
    const QImage raised = image.copy();
    hear.drawPressed(dc, colours);
    EXPECT_EQ(hear.pressed, 1);
    EXPECT_EQ(dc.pixel(202, layoutTop + 440), colours[26]);
    EXPECT_NE(image, raised);
    hear.drawRaised(dc, colours);
    EXPECT_EQ(image, raised);
}

TEST_F(WidgetsTest, LabelIsCentredOnTheButton)
{
    image.fill(colours[16]);
    PushButton newButton{104, layoutTop + 429, 96, 28};
    newButton.drawLabel(dc, colours, "New", 20);
    const int ink = probe.count(104, layoutTop + 437, 96, 16, colours[20]);
    EXPECT_GT(ink, 10);
    const int leftHalf = probe.count(104, layoutTop + 437, 48, 16, colours[20]);
    EXPECT_NEAR(double(leftHalf) / ink, 0.5, 0.2);
}

TEST_F(WidgetsTest, CloseAndMinimiseGlyphs)
{
    image.fill(colours[25]);
    const PushButton close{478, 8, 14, 13}, minimize{461, 8, 14, 13};
    drawCloseGlyph(dc, colours, close);
    drawMinimizeGlyph(dc, colours, minimize);
    EXPECT_GT(probe.count(478, 8, 14, 16, colours[0]), 5);
    EXPECT_EQ(probe.count(461, 14, 20, 1, colours[0]), 10); // x 463..472
    EXPECT_EQ(dc.pixel(463, 14), colours[0]);
    EXPECT_EQ(dc.pixel(473, 14), colours[25]);
}

TEST_F(WidgetsTest, NoteBoxStaysInsideItsBoxAndIsShadedRound)
{
    NoteBox box{100, layoutTop + 375, 30, 22};
    box.drawBox(dc, colours);
    const int outside = probe.count(90, layoutTop + 365, 50, 42, untouched) -
                        probe.count(100, layoutTop + 375, 30, 22, untouched);
    EXPECT_EQ(outside, 50 * 42 - 30 * 22);                // nothing drawn outside the box
    EXPECT_EQ(dc.pixel(100, layoutTop + 375), untouched); // corners are not part of it
    EXPECT_EQ(dc.pixel(100, layoutTop + 386), colours[26]);
    EXPECT_EQ(dc.pixel(115, layoutTop + 386), colours[10]);
    // light arcs upper left, dark arcs lower right
    EXPECT_GT(probe.count(100, layoutTop + 375, 15, 11, colours[8]), 3);
    EXPECT_GT(probe.count(115, layoutTop + 386, 15, 11, colours[11]), 3);
    EXPECT_EQ(box.pressed, 0);
    box.drawBoxPressed(dc, colours);
    EXPECT_EQ(box.pressed, 1);
    EXPECT_GT(probe.count(100, layoutTop + 375, 30, 22, colours[24]), 3);
}

TEST_F(WidgetsTest, MicButtonShowsTheFrameOfItsState)
{
    EXPECT_EQ(micButtonSourceX(false, false), 0);
    EXPECT_EQ(micButtonSourceX(false, true), 26);
    EXPECT_EQ(micButtonSourceX(true, false), 52);
    EXPECT_EQ(micButtonSourceX(true, true), 78);
    const QImage strip = loadNoteBitmaps().micButton;
    ASSERT_EQ(strip.size(), QSize(104, 24));
    drawMicButton(dc, strip, QRect(39, 409, 26, 24), true, false);
    EXPECT_EQ(image.copy(39, 409, 26, 24), strip.copy(52, 0, 26, 24));
}

} // namespace
