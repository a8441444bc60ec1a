#pragma once

#include "render/piano_keyboard.h"
#include "solfara/answer_panel.h"

// The four-octave piano as the mouse plays it, under the answer staff and on the custom
// melody editor page: the key pressed sounds, is drawn lowered and written on the staff.
class PianoKeyboard final : public AnswerPanel {
public:
    PianoKeyboard(KeyboardGeometry geometry, MidiOut* out, const NoteBitmaps& art,
                  const ColourTable& colours);

    const KeyboardGeometry& geometry() const { return drawing_.geometry(); }
    bool contains(int x, int y) const override { return geometry().contains(x, y); }

    // The whole keyboard in its resting look.
    void draw(gdi::Canvas& dc) override;
    // As AnswerPanel's; the key is drawn lowered while held and at rest after the release.
    int pressAt(gdi::Canvas& dc, int x, int y, const PanelContext& context) override;
    void slideTo(gdi::Canvas& dc, int x, int y, const PanelContext& context) override;
    void release(gdi::Canvas& dc) override;

    // The editor's playback: shows the key of a MIDI key number pressed or at rest, without
    // sound or staff marker.
    void pressNote(gdi::Canvas& dc, int midiKey);
    void releaseNote(gdi::Canvas& dc, int midiKey);

    bool held() const override { return pressed_.has_value(); }
    int pressedNote() const override { return pressed_ ? pressed_->noteIndex : -1; }

private:
    void press(gdi::Canvas& dc, const PianoKey& key, const PanelContext& context, bool fresh);

    PianoKeyboardDrawing drawing_;
    std::optional<PianoKey> pressed_;
};
