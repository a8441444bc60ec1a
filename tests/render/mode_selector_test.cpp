#include "render/layout_top.h"
#include "render/mode_selector.h"
#include "tests/support/canvas_probe.h"

namespace {

constexpr int L = layoutTop;

TEST(ModeSelector, EveryRowBelongsToOneBand)
{
    const struct {
        const char* name;
        int x, y;
        ModeBand band;
    } rows[] = {
        {"left edge", 468, L + 370, ModeBand::None},
        {"right edge", 498, L + 370, ModeBand::None},
        {"top edge", 480, L + 366, ModeBand::None},
        {"bottom edge", 480, L + 402, ModeBand::None},
        {"first row inside", 469, L + 367, ModeBand::Mic},
        {"last mic row", 497, L + 377, ModeBand::Mic},
        {"between mic and piano", 480, L + 378, ModeBand::None},
        {"first piano row", 480, L + 379, ModeBand::Piano},
        {"last piano row", 480, L + 389, ModeBand::Piano},
        {"between piano and guitar", 480, L + 390, ModeBand::None},
        {"first guitar row", 480, L + 391, ModeBand::Guitar},
        {"last guitar row", 480, L + 401, ModeBand::Guitar},
    };
    for (const auto& r : rows)
        EXPECT_EQ(modeBandAt(r.x, r.y), r.band) << r.name;
    EXPECT_TRUE(modeSelectorContains(480, L + 378)); // inside, though it selects nothing
}

using ModeSelectorDrawing = RenderTest;

TEST_F(ModeSelectorDrawing, TheWordUnderThePointerIsWhite)
{
    // The letters of each word (its cell's rows 2..11: the cells overlap by their underlines).
    const auto inks = [&](int y, gdi::Colour c) { return count(468, y + 2, 32, 10, c); };
    const int rowOf[3] = {L + 366, L + 378, L + 390};
    drawModeSelector(dc, colours);
    for (int y : rowOf) {
        EXPECT_GT(inks(y, colours[14]), 10) << y;
        EXPECT_EQ(inks(y, gdi::white), 0) << y;
    }
    // Lighting "piano" redraws it white over the same glyphs; going back restores colour 14.
    drawModeSelector(dc, colours, ModeBand::Piano);
    EXPECT_EQ(inks(rowOf[1], colours[14]), 0);
    EXPECT_GT(inks(rowOf[1], gdi::white), 10);
    EXPECT_EQ(inks(rowOf[0], gdi::white), 0);
    EXPECT_EQ(inks(rowOf[2], gdi::white), 0);
    const QImage lit = image.copy();
    drawModeSelector(dc, colours, ModeBand::None);
    EXPECT_EQ(inks(rowOf[1], gdi::white), 0);
    drawModeSelector(dc, colours, ModeBand::Piano);
    EXPECT_EQ(image, lit);
}

} // namespace
