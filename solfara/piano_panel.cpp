#include "solfara/piano_panel.h"

PianoKeyboard::PianoKeyboard(KeyboardGeometry geometry, MidiOut* out, const NoteBitmaps& art,
                             const ColourTable& colours)
    : AnswerPanel(out, art, colours), drawing_(geometry, colours)
{
}

void PianoKeyboard::draw(gdi::Canvas& dc)
{
    // A repaint while the button holds a key keeps showing it held; its release still
    // stops the note.
    drawing_.draw(dc, pressed_);
}

int PianoKeyboard::pressAt(gdi::Canvas& dc, int x, int y, const PanelContext& context)
{
    const auto key = pianoKeyAt(geometry(), x, y);
    if (!key)
        return -1;
    release(dc);
    press(dc, *key, context, true);
    return key->noteIndex;
}

void PianoKeyboard::slideTo(gdi::Canvas& dc, int x, int y, const PanelContext& context)
{
    const auto key = pianoKeyAt(geometry(), x, y);
    if (!key || !pressed_ || key->noteIndex == pressed_->noteIndex)
        return;
    release(dc);
    press(dc, *key, context, false);
}

void PianoKeyboard::release(gdi::Canvas& dc)
{
    if (!pressed_)
        return;
    answer_.note().stop();
    answer_.hide(dc);
    drawing_.restore(dc, *pressed_);
    pressed_.reset();
}

void PianoKeyboard::pressNote(gdi::Canvas& dc, int midiKey)
{
    if (const auto key = pianoKeyOfNote(geometry(), midiKey - 36))
        drawing_.drawPressed(dc, *key);
}

void PianoKeyboard::releaseNote(gdi::Canvas& dc, int midiKey)
{
    if (const auto key = pianoKeyOfNote(geometry(), midiKey - 36))
        drawing_.restore(dc, *key);
}

void PianoKeyboard::press(gdi::Canvas& dc, const PianoKey& key, const PanelContext& context,
                          bool fresh)
{
    pressed_ = key;
    answer_.note().start(key.noteIndex, context.sound, fresh); // sound first: it is heard sooner
    drawing_.drawPressed(dc, key);
    std::optional<StaffMarker> marker;
    if (context.due)
        marker = pianoStaffMarker(key.noteIndex, *context.due);
    answer_.show(dc, key.noteIndex, context, marker);
}
