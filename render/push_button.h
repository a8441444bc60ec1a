#pragma once

#include "platform/gdi/canvas.h"
#include "render/colours.h"

#include <string_view>

// A rectangular self-drawn button of the main window. The mouse code hit-tests its
// rectangle and calls the draw operations to show it up or down.
struct PushButton {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int faceColour = colour::buttonFace;
    int pressed = 0; // display flag: set by drawPressed, cleared by the mouse code

    // Face, outline and the light-outside, dark-outside bevels. Leaves `pressed` alone.
    void drawRaised(gdi::Canvas& dc, const ColourTable& colours) const;
    // Two dark outlines over the raised look; sets `pressed`.
    void drawPressed(gdi::Canvas& dc, const ColourTable& colours);
    // The caption centred on the button in the label font.
    void drawLabel(gdi::Canvas& dc, const ColourTable& colours, std::string_view text,
                   int colourIndex) const;
    // The same in a colour outside the table ("STOP..." in white).
    void drawLabel(gdi::Canvas& dc, std::string_view text, gdi::Colour colour) const;
    // Whether the point lies strictly inside the button.
    bool contains(int x, int y) const
    {
        return left < x && x < left + width && top < y && y < top + height;
    }
};

// The label font of the buttons: "Helv" 14 high, 8 wide.
gdi::FontSpec buttonLabelFont();

// The frameless close box: an "X" centred at (left + 7, top).
void drawCloseGlyph(gdi::Canvas& dc, const ColourTable& colours, const PushButton& box);
// The frameless minimise box: a dash from (left + 2, top + 6) to (left + 12, top + 6).
void drawMinimizeGlyph(gdi::Canvas& dc, const ColourTable& colours, const PushButton& box);
