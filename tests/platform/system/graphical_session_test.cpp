#include "platform/system/graphical_session.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(GraphicalSession, IsFoundOnlyWhereAPlatformQtTriesCanStart)
{
    const struct {
        const char* name;
        DisplayEnvironment environment; // DISPLAY, WAYLAND_DISPLAY, QT_QPA_PLATFORM
        bool hasSession;
    } rows[] = {
        {"nothing set", {"", "", ""}, false},
        {"an X server", {":0", "", ""}, true},
        {"a Wayland compositor", {"", "wayland-0", ""}, true},
        {"offscreen needs no display", {"", "", "offscreen"}, true},
        {"vnc with options needs no display", {"", "", "vnc:size=800x600"}, true},
        {"xcb without an X server", {"", "wayland-0", "xcb"}, false},
        {"xcb with an X server", {":1", "", "xcb"}, true},
        {"wayland-egl without a compositor", {":0", "", "wayland-egl"}, false},
        {"a list falls back to its second entry", {":0", "", "wayland;xcb"}, true},
        {"a list where no entry can start", {"", "", "wayland;xcb"}, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(hasGraphicalSession(row.environment), row.hasSession) << row.name;
}

TEST(GraphicalSession, AMissingSessionIsReportedWithTheProgramsName)
{
    std::ostringstream errors;
    EXPECT_FALSE(checkGraphicalSession("beatwise", {"", "", ""}, errors));
    EXPECT_EQ(errors.str().rfind("beatwise: a graphical session is needed", 0), 0u) << errors.str();
    EXPECT_NE(errors.str().find("xvfb-run beatwise"), std::string::npos);

    std::ostringstream silent;
    EXPECT_TRUE(checkGraphicalSession("beatwise", {":0", "", ""}, silent));
    EXPECT_TRUE(silent.str().empty());
}
