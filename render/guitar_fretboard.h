#pragma once

#include "platform/gdi/canvas.h"
#include "render/staff_marker.h"

#include <optional>

// The six-string, twelve-fret guitar neck drawn under the answer staff in guitar mode, and on
// the custom melody editor page at its own origin. String 0 (high E) is drawn at the top.

struct FretboardGeometry {
    int left = 122; // the neck's nut-side edge
    int top = 391;
    int width = 255;
    int height = 57;

    int right() const { return left + width; }
    int bottom() const { return top + height; }
    // Strictly inside the neck on all four edges.
    bool contains(int x, int y) const { return left < x && x < right() && top < y && y < bottom(); }

    static FretboardGeometry mainWindow() { return {}; }
    static FretboardGeometry editorPage(int originX, int originY)
    {
        return {originX, originY, 255, 57};
    }
};

inline constexpr int kStringCount = 6;
inline constexpr int kFretCount = 12;

// Note index of the open string s: E4, B3, G3, D3, A2, E2.
int openStringNote(int string);

struct FretPosition {
    int string = 0;
    int fret = 0; // 0 the open string, 1..12
    int noteIndex = 0;
    int cellLeft = 0, cellRight = 0, cellTop = 0; // the cell a slide must leave

    bool samePlace(const FretPosition& o) const { return string == o.string && fret == o.fret; }
};

// The string and fret under a point strictly inside the neck; nothing outside it. Left of
// the first fret is the open string; a fret line belongs to the space on its left.
std::optional<FretPosition> fretPositionAt(const FretboardGeometry& g, int x, int y);
// Where the head of `noteIndex` goes on the answer staff: sharps share the step below, and
// a black-key note is written flat when the due note is spelled flat.
StaffMarker guitarStaffMarker(int noteIndex, const DueNote& due);

// The neck at rest (it shows no press).
void drawFretboard(gdi::Canvas& dc, const FretboardGeometry& geometry);
