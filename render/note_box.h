#pragma once

#include "platform/gdi/canvas.h"
#include "render/colours.h"

// A round, domed box under the answer staff in microphone mode; one per note column.
struct NoteBox {
    int left = 0;
    int top = 0;
    int width = 30;
    int height = 22;
    int faceColour = colour::noteBoxFace;
    int pressed = 0; // display flag: set by drawBoxPressed, cleared by the mouse code

    // The domed box: rim ellipses, face, light arcs upper left and dark arcs lower right.
    void drawBox(gdi::Canvas& dc, const ColourTable& colours) const;
    // The pressed look drawn over drawBox: a dark inner rim and shadow arcs; sets `pressed`.
    void drawBoxPressed(gdi::Canvas& dc, const ColourTable& colours);
    // Whether the point lies strictly inside the box.
    bool contains(int x, int y) const
    {
        return left < x && x < left + width && top < y && y < top + height;
    }
};
