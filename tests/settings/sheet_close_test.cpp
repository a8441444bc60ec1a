#include "settings/sheet_close.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Notes each step the sheet's closing takes, in order.
struct RecordingTarget final : SheetCloseTarget {
    std::vector<std::string> steps;
    Settings taken;

    void takeSettings(const Settings& s) override
    {
        taken = s;
        steps.push_back("takeSettings");
    }
    void selectNotation() override { steps.push_back("selectNotation"); }
    void buildPeriodTable() override { steps.push_back("buildPeriodTable"); }
    void setDetectionPaused(bool paused) override
    {
        steps.push_back(paused ? "pauseDetection" : "resumeDetection");
    }
    void setKeepMelodyOnRepaint(bool keep) override
    {
        steps.push_back(keep ? "keepMelody" : "newMelody");
    }
    void invalidateMainWindow() override { steps.push_back("invalidate"); }
};

using Steps = std::vector<std::string>;

TEST(SheetClose, OkTakesTheSettingsThenNotationPeriodTableAndANewDrill)
{
    RecordingTarget target;
    Settings working;
    working.A = 445;
    acceptSheet(working, 90, target);
    EXPECT_EQ(target.steps, (Steps{"takeSettings", "selectNotation", "buildPeriodTable",
                                   "resumeDetection", "newMelody", "invalidate"}));
    EXPECT_EQ(target.taken.A, 445);
    EXPECT_EQ(target.taken.midiVol, 90);
}

TEST(SheetClose, CancelTakesNothingAndKeepsTheMelody)
{
    RecordingTarget target;
    cancelSheet(target);
    EXPECT_EQ(target.steps, (Steps{"resumeDetection", "invalidate", "keepMelody"}));
}

TEST(SheetClose, AcceptedSettingsTakeTheVolumeSliderAndDrawCustomMelodiesInCMajor)
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
