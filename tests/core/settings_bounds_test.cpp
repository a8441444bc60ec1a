#include "core/settings_bounds.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    std::int32_t Settings::*field;
    std::int32_t given, kept;
};

Case becomes(std::int32_t Settings::*field, std::int32_t given, std::int32_t kept)
{
    return {field, given, kept};
}

} // namespace

// One setting at a time is given a value: values out of range are clamped,
// values outside a list of choices get a usable default, usable and odd but
// harmless values stay, and no other setting changes.
TEST(SettingsBounds, OutOfRangeValuesBecomeUsableAndTheRestIsKept)
{
    const Case cases[] = {
        becomes(&Settings::range, 9, 5),          becomes(&Settings::range, -1, 0),
        becomes(&Settings::melosize, 13, 12),     becomes(&Settings::melosize, 0, 1),
        becomes(&Settings::scale, 16, 15),        becomes(&Settings::scale, -1, 0),
        becomes(&Settings::level, 3, 2),          becomes(&Settings::level, -3, 0),
        becomes(&Settings::miditimbre, 128, 127), becomes(&Settings::A, 0, 430),
        becomes(&Settings::A, 451, 450),          becomes(&Settings::transpose, 99, 48),
        becomes(&Settings::midi, -9, -1),         becomes(&Settings::custMelody, -4, 0),
        becomes(&Settings::cycles, -2, 0),        becomes(&Settings::mode, 14, 0),
        becomes(&Settings::mode, -1, 0),          becomes(&Settings::mode, 13, 13),
        becomes(&Settings::noteName, 3, 2),       becomes(&Settings::noteName, -1, 2),
        becomes(&Settings::drilltype, 0, 1),      becomes(&Settings::drilltype, 4, 1),
        becomes(&Settings::drilltype, 3, 3),      becomes(&Settings::custMelody, 40, 40),
        becomes(&Settings::autostart, 7, 7),      becomes(&Settings::midiVol, 500, 500),
        becomes(&Settings::micVol, -1, -1),       becomes(&Settings::notation, 5, 5),
        becomes(&Settings::shapeNote, 2, 2)};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        Settings settings, expected;
        settings.*cases[i].field = cases[i].given;
        expected.*cases[i].field = cases[i].kept;
        keepSettingsInRange(settings, 14);
        EXPECT_EQ(settings, expected) << "case " << i;
    }

    // numScales follows the list; mode is bounded by it.
    Settings counted{.numScales = 50, .mode = 19};
    keepSettingsInRange(counted, 20);
    EXPECT_EQ(counted, (Settings{.numScales = 20, .mode = 19}));
}
