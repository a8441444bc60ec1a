#include "render/piano_keyboard.h"

#include "music/answer_spelling.h"
#include "music/pitch.h"
#include "render/colours.h"
#include "render/staff_layout.h"

using gdi::Pen;

namespace {

constexpr gdi::Colour grey = gdi::rgb(128, 128, 128);
constexpr gdi::Colour lightGrey = gdi::rgb(192, 192, 192);
constexpr int keyFaceColour = 28;
constexpr int blackKeyColour = 29;
constexpr int semitoneOfWhite[7] = {0, 2, 4, 5, 7, 9, 11};

// D, E, G, A and B have a black key on their left boundary.
bool hasBlackOnLeft(int whiteIndex)
{
    return whiteIndex % 7 != 0 && whiteIndex % 7 != 3;
}

KeyShape whiteShape(int whiteIndex)
{
    switch (whiteIndex % 7) {
    case 0:
    case 3:
        return KeyShape::CorF;
    case 2:
    case 6:
        return KeyShape::EorB;
    default:
        return KeyShape::DGorA;
    }
}

int whiteLeft(const KeyboardGeometry& g, int whiteIndex)
{
    return g.left + g.whiteWidth * whiteIndex;
}

// The resting black key whose boundary is at x = d.
void drawBlackKey(gdi::Canvas& dc, const KeyboardGeometry& g, const ColourTable& colours, int d)
{
    const int h = g.blackHalfWidth, top = g.top, foot = g.top + g.blackHeight - g.bevel;
    dc.fill(d - h, top, 2 * h, g.blackHeight, colours[blackKeyColour]);
    dc.line(d - h + 1, top + 1, d - h + 1, top + g.blackHeight, Pen::solid(grey));
    dc.line(d + h - 2, top + 1, d + h - 2, top + g.blackHeight, Pen::solid(grey));
    const QPoint rim[] = {{d - h + 3, top + 1}, {d - h + 3, foot}, {d + h - 3, foot}};
    dc.polyline(rim, Pen::solid(gdi::white));
    dc.fill(d - h + 4, foot - 2, 2 * h - 7, 2, lightGrey);
    dc.fill(d - h + 4, foot - 5, 2 * h - 7, 3, grey);
}

} // namespace

int whiteNoteOf(int whiteIndex)
{
    return 12 * (whiteIndex / 7) + semitoneOfWhite[whiteIndex % 7];
}

std::optional<PianoKey> pianoKeyAt(const KeyboardGeometry& g, int x, int y)
{
    if (!g.contains(x, y))
        return std::nullopt;
    const int W = g.whiteWidth, h = g.blackHalfWidth;
    for (int i = 0; i < g.whiteCount; ++i) {
        const int d = whiteLeft(g, i);
        if (x < d || x >= d + W)
            continue;
        const bool upper = y < g.top + g.blackHeight;
        if (upper && x < d + h && hasBlackOnLeft(i))
            return PianoKey{whiteNoteOf(i) - 1, KeyShape::Black, i, d};
        // The key right of the last white key does not exist; E and B have none either.
        if (upper && x > d + W - h && i + 1 < g.whiteCount && hasBlackOnLeft(i + 1))
            return PianoKey{whiteNoteOf(i) + 1, KeyShape::Black, i + 1, d + W};
        return PianoKey{whiteNoteOf(i), whiteShape(i), i, d};
    }
    return std::nullopt;
}

std::optional<PianoKey> pianoKeyOfNote(const KeyboardGeometry& g, int noteIndex)
{
    for (int i = 0; i < g.whiteCount; ++i) {
        if (whiteNoteOf(i) == noteIndex)
            return PianoKey{noteIndex, whiteShape(i), i, whiteLeft(g, i)};
        if (hasBlackOnLeft(i) && whiteNoteOf(i) - 1 == noteIndex)
            return PianoKey{noteIndex, KeyShape::Black, i, whiteLeft(g, i)};
    }
    return std::nullopt;
}

StaffMarker pianoStaffMarker(int noteIndex, const DueNote& due)
{
    const AnswerSpelling spelling = spellAnswerNote(noteIndex, due.accidental);
    return {due.column, noteTopY(due.answerStaffBase, spelling.step), spelling.accidental};
}

void PianoKeyboardDrawing::draw(gdi::Canvas& dc, const std::optional<PianoKey>& held)
{
    const KeyboardGeometry& g = geometry_;
    const int left = g.left, right = g.right(), top = g.top, bottom = g.bottom();
    const Pen shadow = Pen::solid(grey, 2);
    dc.line(right, bottom + 4, left, bottom + 4, shadow);
    dc.line(left + 1, bottom + 2, right, bottom + 2, shadow);
    dc.line(left + 1, bottom + 1, right, bottom + 1, shadow);
    dc.fill(left + 1, top + 1, right - left, bottom - top - 1, colours_[keyFaceColour]);
    for (int i = 0; i <= g.whiteCount; ++i) {
        const int d = whiteLeft(g, i);
        if (i < g.whiteCount)
            dc.line(d - 1, top, d - 1, bottom, Pen::solid(grey));
        const QPoint edge[] = {{d, top}, {d, bottom}, {d - 2, bottom + 3}};
        dc.polyline(edge, Pen::solid(gdi::black));
        if (i < g.whiteCount && hasBlackOnLeft(i))
            drawBlackKey(dc, g, colours_, d);
    }
    resting_ = dc.image().copy(restingArea());
    if (held)
        drawPressed(dc, *held);
}

void PianoKeyboardDrawing::drawPressed(gdi::Canvas& dc, const PianoKey& key) const
{
    const KeyboardGeometry& g = geometry_;
    const int T = g.top, h = g.blackHalfWidth, Hb = g.blackHeight, d = key.x;
    if (key.shape == KeyShape::Black) {
        const int foot = T + Hb - g.bevel / 2;
        dc.line(d - h + 1, T, d - h + 1, T + Hb, Pen::solid(gdi::black));
        dc.line(d + h - 2, T, d + h - 2, T + Hb, Pen::solid(gdi::black));
        const QPoint rim[] = {{d - h + 3, T + 1}, {d - h + 3, foot}, {d + h - 3, foot}};
        dc.polyline(rim, Pen::solid(lightGrey));
        dc.fill(d - h + 4, T + Hb - g.bevel - 5, 2 * h - 7, 6, gdi::black);
        dc.line(d - h + 4, foot - 1, d + h - 3, foot - 1, Pen::solid(lightGrey));
        dc.line(d - h + 4, foot - 2, d + h - 3, foot - 2, Pen::solid(grey));
        return;
    }
    // A white key looks lowered: shaded down its left side, the notches of its black
    // neighbours outlined, a bright front band and its side edges reaching further down.
    const int W = g.whiteWidth, bottom = g.bottom(), i = key.whiteIndex;
    const bool blackLeft = hasBlackOnLeft(i);
    const bool blackRight = i + 1 < g.whiteCount && hasBlackOnLeft(i + 1);
    if (blackLeft) {
        dc.fill(d + h, T + 1, 4, Hb, lightGrey);
        dc.fill(d + 1, T + Hb, 4, bottom - T - Hb, lightGrey);
        const QPoint notch[] = {{d + h, T + 1}, {d + h, T + Hb}, {d, T + Hb}};
        dc.polyline(notch, Pen::solid(lightGrey));
    } else {
        dc.fill(d + 1, T + 1, 4, bottom - T - 1, lightGrey);
    }
    if (blackRight) {
        const int x = d + W - h - 1;
        const QPoint notch[] = {{x, T + 1}, {x, T + Hb}, {d + W, T + Hb}};
        dc.polyline(notch, Pen::solid(lightGrey));
    }
    dc.fill(d + 1, bottom + 1, W - 1, 4, gdi::white);
    dc.line(d, T, d, bottom + 5, Pen::solid(gdi::black));
    dc.line(d + W, T, d + W, bottom + 5, Pen::solid(gdi::black));
}

QRect PianoKeyboardDrawing::restingArea() const
{
    const KeyboardGeometry& g = geometry_;
    return QRect(g.left - g.blackHalfWidth - 3, g.top,
                 g.right() - g.left + 2 * g.blackHalfWidth + 6, g.keyHeight + 6);
}

void PianoKeyboardDrawing::restore(gdi::Canvas& dc, const PianoKey& key) const
{
    if (resting_.isNull())
        return;
    const KeyboardGeometry& g = geometry_;
    const QRect area = restingArea();
    const int left = key.x - g.blackHalfWidth - 2;
    const int width = (key.shape == KeyShape::Black ? 0 : g.whiteWidth) + 2 * g.blackHalfWidth + 4;
    dc.blit(left, area.top(), width, area.height(), resting_, left - area.left(), 0,
            gdi::RasterOp::Copy);
}
