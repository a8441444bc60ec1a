#include "solfara/answer_panel.h"

#include "midi/midi_messages.h"

void HeldNote::start(int noteIndex, const PanelSound& sound, bool selectTimbre)
{
    midiKey_ = sound.keyOf(noteIndex);
    if (!out_)
        return;
    if (selectTimbre)
        out_->chooseTimbre(sound.miditimbre);
    note_ = out_->startNote(midiKey_, noteOnVelocity(sound.midiVol),
                            {playbackReleaseVelocity, MidiChannels::OneAndThirteen});
}

void HeldNote::stop()
{
    note_.stop();
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
