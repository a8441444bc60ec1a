#include "render/answer_panel.h"

#include "midi/midi_messages.h"
#include "render/layout_top.h"

void drawStaffMarker(gdi::Canvas& dc, const NoteBitmaps& art, const StaffMarker& marker)
{
    dc.blit(marker.column, marker.y, 10, 7, art.note, 0, 0, gdi::RasterOp::And);
    if (marker.accidental == 1)
        dc.blit(marker.column - 6, marker.y - 3, 6, 14, art.diez, 0, 0, gdi::RasterOp::And);
    else if (marker.accidental == 2)
        dc.blit(marker.column - 6, marker.y - 6, 6, 14, art.bemol, 0, 0, gdi::RasterOp::And);
}

void eraseStaffMarker(gdi::Canvas& dc, const ColourTable& colours, const NoteBitmaps& art,
                      const StaffMarker& marker)
{
    const int left = marker.column - 13;
    dc.fill(left, marker.y - 6, 23, marker.bottom() - marker.y + 10, colours[colour::paper]);
    dc.blit(left, layoutTop + 255, 23, 61, art.score, 0, 0, gdi::RasterOp::And);
}

void HeldNote::start(int noteIndex, const PanelSound& sound, bool selectTimbre)
{
    if (selectTimbre)
        sink_.send(midiStatus::programChange, sound.miditimbre, 0);
    midiKey_ = sound.keyOf(noteIndex);
    sink_.send(midiStatus::noteOn, midiKey_, noteOnVelocity(sound.midiVol));
    sounding_ = true;
}

void HeldNote::stop()
{
    if (!sounding_)
        return;
    sounding_ = false;
    sink_.send(midiStatus::noteOff, midiKey_, playbackReleaseVelocity);
    sink_.send(midiStatus::noteOffChannel13, midiKey_, playbackReleaseVelocity);
}

void PanelAnswer::show(gdi::Canvas& dc, int noteIndex, const PanelContext& context,
                       const std::optional<StaffMarker>& marker)
{
    correct = context.due && noteIndex == context.due->noteIndex;
    hide(dc);
    if (!marker)
        return;
    drawStaffMarker(dc, art_, *marker);
    marker_ = marker;
}

void PanelAnswer::hide(gdi::Canvas& dc)
{
    if (!marker_)
        return;
    eraseStaffMarker(dc, colours_, art_, *marker_);
    marker_.reset();
}
