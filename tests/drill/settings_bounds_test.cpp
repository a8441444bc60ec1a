#include "drill/settings_bounds.h"

#include <gtest/gtest.h>

// One setting at a time is given a value: values out of range are clamped,
// values outside a list of choices get a usable default, usable and odd but
// harmless values stay, and no other setting changes.
TEST(SettingsBounds, OutOfRangeValuesBecomeUsable)
{
    const struct {
        std::int32_t Settings::*field;
        std::int32_t given, kept;
    } cases[] = {{&Settings::range, 9, 5},          {&Settings::range, -1, 0},
                 {&Settings::melosize, 13, 12},     {&Settings::melosize, 0, 1},
                 {&Settings::scale, 16, 15},        {&Settings::scale, -1, 0},
                 {&Settings::level, 3, 2},          {&Settings::level, -3, 0},
                 {&Settings::miditimbre, 128, 127}, {&Settings::A, 0, 430},
                 {&Settings::A, 451, 450},          {&Settings::transpose, 99, 48},
                 {&Settings::midi, -9, -1},         {&Settings::custMelody, -4, 0},
                 {&Settings::cycles, -2, 0},        {&Settings::mode, 14, 0},
                 {&Settings::mode, -1, 0},          {&Settings::mode, 13, 13},
                 {&Settings::noteName, 3, 2},       {&Settings::noteName, -1, 2},
                 {&Settings::drilltype, 0, 1},      {&Settings::drilltype, 4, 1},
                 {&Settings::drilltype, 3, 3},      {&Settings::custMelody, 40, 40},
                 {&Settings::autostart, 7, 7},      {&Settings::midiVol, 500, 500},
                 {&Settings::micVol, -1, -1},       {&Settings::notation, 5, 5},
                 {&Settings::shapeNote, 2, 2}};
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
