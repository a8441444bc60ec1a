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

} // namespace
