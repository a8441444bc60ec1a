#include "solfara/answer_panel.h"

#include "midi/midi_messages.h"

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
