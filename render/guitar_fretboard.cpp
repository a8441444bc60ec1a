#include "render/guitar_fretboard.h"

#include "music/pitch.h"
#include "render/staff_layout.h"

using gdi::Pen;

namespace {

constexpr gdi::Colour grey = gdi::rgb(128, 128, 128);
constexpr gdi::Colour lightGrey = gdi::rgb(192, 192, 192);
constexpr gdi::Colour wood = gdi::rgb(58, 53, 32);

constexpr int nutWidth = 21;       // the open-string cell, left of the first fret space
constexpr int firstFretWidth = 25; // each further space is one pixel narrower
constexpr int stringSpacing = 10;

int fretSpaceWidth(int i)
{
    return firstFretWidth - i;
}

// Step of a note with sharps sharing the step below: C and C# share a step, and so on.
int sharpStep(int noteIndex)
{
    constexpr int stepInOctave[12] = {0, 0, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6};
    return 7 * (noteIndex / 12) + stepInOctave[noteIndex % 12];
}

void drawDiamond(gdi::Canvas& dc, int cx, int cy)
{
    const QPoint points[] = {{cx, cy - 2}, {cx - 3, cy}, {cx, cy + 2}, {cx + 3, cy}};
    dc.polygon(points, Pen::solid(gdi::white), gdi::Brush::solid(gdi::white));
}

} // namespace

int openStringNote(int string)
{
    return 28 - (5 * string - (string > 1 ? 1 : 0));
}

std::optional<FretPosition> fretPositionAt(const FretboardGeometry& g, int x, int y)
{
    if (!g.contains(x, y))
        return std::nullopt;
    FretPosition at;
    at.string = -1;
    for (int s = 0; s < kStringCount && at.string < 0; ++s) {
        const int lower = s == 0 ? g.top : g.top + stringSpacing * s - 4;
        if (lower < y && y < g.top + stringSpacing * s + 7)
            at.string = s;
    }
    if (at.string < 0)
        return std::nullopt;
    at.cellTop = g.top + stringSpacing * at.string - 1;
    at.fret = 0;
    at.cellLeft = g.left;
    at.cellRight = g.left + nutWidth;
    int a = g.left + nutWidth;
    for (int i = 0; x > g.left + nutWidth && i < kFretCount; a += fretSpaceWidth(i), ++i) {
        if (a < x && x < a + fretSpaceWidth(i) + 1) {
            at.fret = i + 1;
            at.cellLeft = a;
            at.cellRight = a + fretSpaceWidth(i);
            break;
        }
    }
    at.noteIndex = openStringNote(at.string) + at.fret;
    return at;
}

StaffMarker guitarStaffMarker(int noteIndex, const DueNote& due)
{
    Accidental accidental = Accidental::None;
    if (isBlackKeySemitone(noteIndex))
        accidental = due.accidental == Accidental::Flat ? Accidental::Flat : Accidental::Sharp;
    // A flat is written on the step above the sharp's.
    int y = noteTopY(due.answerStaffBase, sharpStep(noteIndex));
    if (accidental == Accidental::Flat)
        y -= kPixelsPerStep;
    return {due.column, y, accidental};
}

void drawFretboard(gdi::Canvas& dc, const FretboardGeometry& geometry)
{
    const int L = geometry.left, T = geometry.top, W = geometry.width, H = geometry.height;
    dc.fill(L - 1, T - 1, W + 2, H + 2, wood);

    int x = L + nutWidth;
    for (int k = 0; k < kFretCount; ++k) {
        x += fretSpaceWidth(k);
        dc.line(x, T, x, T + H, Pen::solid(gdi::white));
        // Position marks in fret spaces 3, 5, 7, 9 and 12.
        if (k == 1 || k == 3 || k == 5 || k == 7)
            drawDiamond(dc, x + fretSpaceWidth(k) / 2, T + 27);
        if (k == 10) {
            drawDiamond(dc, x + 7, T + 17);
            drawDiamond(dc, x + 7, T + 37);
        }
    }

    dc.line(L + 15, T, L + 15, T + H, Pen::solid(gdi::white));
    dc.line(L + 17, T + 1, L + 17, T + H - 1, Pen::solid(lightGrey, 3));
    dc.line(L + 20, T, L + 20, T + H, Pen::solid(grey, 2));

    x = L + nutWidth;
    for (int k = 0; k < kFretCount; ++k) {
        x += fretSpaceWidth(k);
        dc.line(x, T, x, T + H, Pen::solid(grey, 2));
    }

    for (int s = 0; s < kStringCount; ++s) {
        const int y = T + stringSpacing * s + 3;
        dc.line(L + 16, y, L + 20, y, Pen::solid(grey, 3));
        if (s < 3) {
            dc.line(L, y, L + W, y, Pen::solid(lightGrey));
        } else {
            dc.line(L, y, L + W, y, Pen::solid(grey, 2));
            dc.line(L, y, L + W, y, Pen::solid(gdi::white));
        }
        dc.line(L, y + 4, L + 13, y + 4, Pen::solid(gdi::black, 2));
        dc.line(L + 22, y + 4, L + W, y + 4, Pen::solid(gdi::black, 2));
    }

    const QPoint light[] = {{L - 1, T + H}, {L - 1, T - 1}, {L + W + 1, T - 1}};
    dc.polyline(light, Pen::solid(gdi::white));
    const QPoint dark[] = {{L + W + 1, T - 1}, {L + W + 1, T + H + 1}, {L - 1, T + H + 1}};
    dc.polyline(dark, Pen::solid(gdi::black));
    const QPoint shadow[] = {{L + W + 2, T}, {L + W + 2, T + H + 2}, {L - 1, T + H + 2}};
    dc.polyline(shadow, Pen::solid(gdi::black));
}
