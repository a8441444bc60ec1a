#include "solfara/guitar_panel.h"

GuitarFretboard::GuitarFretboard(FretboardGeometry geometry, MidiOut* out, const NoteBitmaps& art,
                                 const ColourTable& colours)
    : AnswerPanel(out, art, colours), geometry_(geometry)
{
}

int GuitarFretboard::pressAt(gdi::Canvas& dc, int x, int y, const PanelContext& context)
{
    const auto at = fretPositionAt(geometry_, x, y);
    if (!at)
        return -1;
    release(dc);
    press(dc, *at, context, true);
    return at->noteIndex;
}

void GuitarFretboard::slideTo(gdi::Canvas& dc, int x, int y, const PanelContext& context)
{
    if (!held_)
        return;
    const FretPosition& cell = *held_;
    if (x <= cell.cellRight && x >= cell.cellLeft && y >= cell.cellTop && y <= cell.cellTop + 10)
        return;
    // The cell is a little taller than the string's band, so a point just outside it may
    // still name the same string and fret: that is no new position and sounds nothing.
    const auto at = fretPositionAt(geometry_, x, y);
    if (!at || at->samePlace(cell))
        return;
    release(dc);
    press(dc, *at, context, false);
}

void GuitarFretboard::release(gdi::Canvas& dc)
{
    if (!held_)
        return;
    answer_.note().stop();
    answer_.hide(dc);
    held_.reset();
}

void GuitarFretboard::press(gdi::Canvas& dc, const FretPosition& at, const PanelContext& context,
                            bool fresh)
{
    held_ = at;
    answer_.note().start(at.noteIndex, context.sound, fresh);
    std::optional<StaffMarker> marker;
    if (context.due)
        marker = guitarStaffMarker(at.noteIndex, *context.due);
    answer_.show(dc, at.noteIndex, context, marker);
}
