#include "settings/sheet_close.h"

#include <gtest/gtest.h>

namespace {

TEST(SheetClose, AcceptedSettingsTakeTheVolumeSlider)
{
    struct Row {
        const char* name;
        int drilltype;
        int mode, scale; // expected
    };
    const Row rows[] = {
        {"composed melodies keep scale and key", 1, 4, 7},
        {"random custom melodies", 2, 0, 1},
        {"one custom melody", 3, 0, 1},
    };
    for (const auto& row : rows) {
        Settings working;
        working.drilltype = row.drilltype;
        working.mode = 4;
        working.scale = 7;
        working.midiVol = 5;
        const Settings accepted = acceptedSettings(working, 128);
        EXPECT_EQ(accepted.mode, row.mode) << row.name;
        EXPECT_EQ(accepted.scale, row.scale) << row.name;
        EXPECT_EQ(accepted.midiVol, 128) << row.name;
        EXPECT_EQ(accepted.drilltype, row.drilltype) << row.name;
    }
}

} // namespace
