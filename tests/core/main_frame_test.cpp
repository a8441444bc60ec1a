#include "core/main_frame.h"
#include "core/settings_file.h"
#include "tests/core/engine_fixture.h"

#include <gtest/gtest.h>

TEST(MainFrame, ShowsItsTitleAndSavesOnceWhenClosed)
{
    EngineRig rig;
    auto engine = rig.loadEngine();
    CMainFrame frame(*engine);
    EXPECT_EQ(frame.windowTitle(), "Solfara 2.5");
    EXPECT_EQ(frame.size(), QSize(500, 494));
    frame.show();

    engine->settings.melosize = 4;
    EXPECT_TRUE(frame.close());
    EXPECT_TRUE(engine->released());
    EXPECT_NE(rig.dir.read(kSettingsFileName).find("\r\nmelosize=4\r\n"), std::string::npos);

    // A second close (or the exit path after it) writes nothing more.
    engine->settings.melosize = 9;
    frame.close();
    engine->saveAndRelease();
    EXPECT_NE(rig.dir.read(kSettingsFileName).find("\r\nmelosize=4\r\n"), std::string::npos);
}
