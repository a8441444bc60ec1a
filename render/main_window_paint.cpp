#include "render/main_window_paint.h"

#include "render/bevel.h"

void drawWindowChrome(gdi::Canvas& dc, const ColourTable& colours, const MainButtons& b,
                      std::string_view title, AnswerMode mode)
{
    dc.fill(0, 0, 507, 23, colours[25]);
    for (const PushButton* button :
         {&b.newButton, &b.hearButton, &b.restartButton, &b.settingsButton, &b.helpButton})
        button->drawRaised(dc, colours);
    b.settingsButton.drawLabel(dc, colours, "Settings", kSettingsLabelColour);
    b.newButton.drawLabel(dc, colours, "New", colour::buttonLabel);
    b.hearButton.drawLabel(dc, colours, "Hear", colour::buttonLabel);
    b.helpButton.drawLabel(dc, colours, "Help", colour::buttonLabel);
    b.restartButton.drawLabel(dc, colours, "Restart", colour::buttonLabel);
    drawCloseGlyph(dc, colours, b.closeButton);
    drawMinimizeGlyph(dc, colours, b.minimizeButton);

    gdi::TextStyle titleStyle;
    titleStyle.font = buttonLabelFont();
    titleStyle.colour = colours[colour::panel];
    dc.text(20, 8, title, titleStyle);

    const int edge[3] = {25, 24, 23};
    for (int i = 0; i < 3; ++i)
        dc.line(0, 23 + i, 500, 23 + i, gdi::Pen::solid(colours[edge[i]]));
    if (mode == AnswerMode::Microphone) {
        const int bar[5] = {26, 25, 24, 23, 22};
        for (int i = 0; i < 5; ++i)
            dc.line(0, layoutTop + 411 + i, 500, layoutTop + 411 + i,
                    gdi::Pen::solid(colours[bar[i]]));
    }
}

void drawWindowBorder(gdi::Canvas& dc, const ColourTable& colours)
{
    bevelTopLeft(dc, colours, 0, 0, dc.width(), dc.height(), 21, 2);
    bevelBottomRight(dc, colours, 0, 0, dc.width(), dc.height() - 1, 24, 2);
}
