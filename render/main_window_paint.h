#pragma once

#include "music/answer_mode.h"
#include "platform/gdi/canvas.h"
#include "render/colours.h"
#include "render/layout_top.h"
#include "render/push_button.h"

#include <string_view>

// The self-drawn controls of the main window.
struct MainButtons {
    PushButton settingsButton{27, layoutTop + 429, 68, 28};
    PushButton newButton{104, layoutTop + 429, 96, 28};
    PushButton hearButton{201, layoutTop + 429, 96, 28};
    PushButton restartButton{298, layoutTop + 429, 96, 28};
    PushButton helpButton{403, layoutTop + 429, 68, 28};
    PushButton closeButton{478, 8, 14, 13};
    PushButton minimizeButton{461, 8, 14, 13};
};

// Label colour of each bottom button.
inline constexpr int kSettingsLabelColour = 3;

// The title strip with its close and minimise boxes, the five bottom buttons
// raised with their labels, the window title and, in microphone mode, the bar
// above the buttons.
void drawWindowChrome(gdi::Canvas& dc, const ColourTable& colours, const MainButtons& buttons,
                      std::string_view title, AnswerMode mode);

// The raised 8-pixel frame around the whole client area.
void drawWindowBorder(gdi::Canvas& dc, const ColourTable& colours);
