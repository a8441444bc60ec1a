#include "core/settings_bounds.h"

#include <gtest/gtest.h>

TEST(SettingsBounds, InRangeValuesAreKept)
{
    Settings s{.autostart = 0,
               .cycles = 9,
               .range = 5,
               .melosize = 12,
               .scale = 15,
               .numScales = 20,
               .mode = 19,
               .level = 2,
               .midi = 3,
               .midiVol = 128,
               .miditimbre = 127,
               .micVol = 0,
               .micFilter = 128,
               .A = 430,
               .transpose = 48,
               .notation = 0,
               .noteName = 1,
               .drilltype = 3,
               .custMelody = 40,
               .shapeNote = 1};
    Settings kept = s;
    keepSettingsInRange(kept, 20);
    EXPECT_EQ(kept, s);

    Settings defaults;
    keepSettingsInRange(defaults, 14);
    EXPECT_EQ(defaults, Settings{});
}

TEST(SettingsBounds, OutOfRangeValuesBecomeUsable)
{
    Settings s{.autostart = 7,
               .cycles = -2,
               .range = 9,
               .melosize = 13,
               .scale = -1,
               .numScales = 50,
               .mode = 14,
               .level = -3,
               .midi = -9,
               .midiVol = 500,
               .miditimbre = 128,
               .micVol = -1,
               .micFilter = 1000,
               .A = 0,
               .transpose = 99,
               .notation = 5,
               .noteName = 3,
               .drilltype = 0,
               .custMelody = -4,
               .shapeNote = 2};
    keepSettingsInRange(s, 14);
    // Flags and volumes keep their odd but harmless values.
    EXPECT_EQ(s, (Settings{.autostart = 7,
                           .cycles = 0,
                           .range = 5,
                           .melosize = 12,
                           .scale = 0,
                           .numScales = 14,
                           .mode = 0,
                           .level = 0,
                           .midi = -1,
                           .midiVol = 500,
                           .miditimbre = 127,
                           .micVol = -1,
                           .micFilter = 1000,
                           .A = 430,
                           .transpose = 48,
                           .notation = 5,
                           .noteName = 2,
                           .drilltype = 1,
                           .custMelody = 0,
                           .shapeNote = 2}));

    Settings negativeMode{.mode = -1, .noteName = -1};
    keepSettingsInRange(negativeMode, 14);
    EXPECT_EQ(negativeMode.mode, 0);
    EXPECT_EQ(negativeMode.noteName, 2);
}
