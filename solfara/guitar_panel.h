#pragma once

#include "render/guitar_fretboard.h"
#include "solfara/answer_panel.h"

// The guitar neck as the mouse plays it, under the answer staff and on the custom melody
// editor page: the string and fret pressed sound and are written on the staff.
class GuitarFretboard final : public AnswerPanel {
public:
    GuitarFretboard(FretboardGeometry geometry, MidiOut* out, const NoteBitmaps& art,
                    const ColourTable& colours);

    const FretboardGeometry& geometry() const { return geometry_; }
    bool contains(int x, int y) const override { return geometry_.contains(x, y); }

    void draw(gdi::Canvas& dc) override { drawFretboard(dc, geometry_); }

    // As AnswerPanel's; the neck itself shows no press.
    int pressAt(gdi::Canvas& dc, int x, int y, const PanelContext& context) override;
    // Once the point leaves the held cell for another string or fret, the old note stops
    // and the new one sounds.
    void slideTo(gdi::Canvas& dc, int x, int y, const PanelContext& context) override;
    void release(gdi::Canvas& dc) override;

    bool held() const override { return held_.has_value(); }
    int pressedNote() const override { return held_ ? held_->noteIndex : -1; }
    const std::optional<FretPosition>& position() const { return held_; }

private:
    void press(gdi::Canvas& dc, const FretPosition& at, const PanelContext& context, bool fresh);

    FretboardGeometry geometry_;
    std::optional<FretPosition> held_;
};
