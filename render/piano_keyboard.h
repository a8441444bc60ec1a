#pragma once

#include "platform/gdi/canvas.h"
#include "render/colours.h"
#include "render/staff_marker.h"

#include <QImage>

#include <optional>

// The four-octave piano (C2..B5, note indices 0..47) drawn under the answer staff in piano
// mode, and on the custom melody editor page with its own origin and key height.

struct KeyboardGeometry {
    int left = 82; // left edge of the first white key
    int top = 396; // top of the keys (absolute, no title strip added)
    int whiteCount = 28;
    int whiteWidth = 12;
    int keyHeight = 43;
    int blackHalfWidth = 4; // a black key spans 8 pixels centred on a white-key boundary
    int blackHeight = 28;
    int bevel = 4; // depth of the shading at the foot of a black key

    int right() const { return left + whiteWidth * whiteCount; }
    int bottom() const { return top + keyHeight; }
    // Strictly inside the keys on all four edges.
    bool contains(int x, int y) const { return left < x && x < right() && top < y && y < bottom(); }

    // The keyboard under the main window's answer staff.
    static KeyboardGeometry mainWindow() { return {}; }
    // The editor page's keyboard: same keys, 36 high with 27-pixel black keys, at `origin`.
    static KeyboardGeometry editorPage(int originX, int originY)
    {
        return {originX, originY, 28, 12, 36, 4, 27, 4};
    }
};

// Shape of a key, which decides how it is drawn pressed.
enum class KeyShape { Black = 0, CorF = 1, DGorA = 2, EorB = 3 };

struct PianoKey {
    int noteIndex = 0;
    KeyShape shape = KeyShape::CorF;
    int whiteIndex = 0; // the white key, or for a black key the white key on its right
    int x = 0;          // left edge of a white key, centre boundary of a black key
};

// Note index of white key i: the C major degrees, 12 per octave.
int whiteNoteOf(int whiteIndex);
// The key under a point strictly inside the keyboard; nothing outside it.
std::optional<PianoKey> pianoKeyAt(const KeyboardGeometry& g, int x, int y);
// The key that sounds note index `noteIndex` (0..whiteCount/7*12-1); nothing outside.
std::optional<PianoKey> pianoKeyOfNote(const KeyboardGeometry& g, int noteIndex);
// Where the head of `noteIndex` goes on the answer staff, spelled as the due note wants.
StaffMarker pianoStaffMarker(int noteIndex, const DueNote& due);

// The keyboard's look: at rest, with one key lowered, and a key put back at rest. It keeps
// the resting keyboard it drew last, to put a released key back without redrawing the rest.
class PianoKeyboardDrawing {
public:
    PianoKeyboardDrawing(KeyboardGeometry geometry, const ColourTable& colours)
        : geometry_(geometry), colours_(colours)
    {
    }

    const KeyboardGeometry& geometry() const { return geometry_; }

    // The whole keyboard in its resting look, then `held` lowered when there is one.
    void draw(gdi::Canvas& dc, const std::optional<PianoKey>& held);
    void drawPressed(gdi::Canvas& dc, const PianoKey& key) const;
    // The key as the last `draw` left it at rest; nothing before the first draw.
    void restore(gdi::Canvas& dc, const PianoKey& key) const;

private:
    QRect restingArea() const; // what draw keeps for restore

    KeyboardGeometry geometry_;
    const ColourTable& colours_;
    QImage resting_;
};
