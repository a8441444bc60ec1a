#pragma once

#include "midi/midi_out.h"
#include "platform/gdi/back_buffered_widget.h"
#include "platform/system/message_boxes.h"
#include "render/colours.h"
#include "render/push_button.h"
#include "settings/scale_edit.h"
#include "settings/scale_player.h"
#include "settings/settings_sheet_context.h"
#include "settings/sheet_state.h"

#include <array>
#include <cstdint>

class NameListBox;
class QPushButton;

// The Scales page: a one-octave keyboard of twelve keys from middle C to
// build a scale on, "Play Scale" to hear it, and "Save" under the name typed
// in "Save As". Saving the name of the chosen scale changes its notes, a new
// name on unchanged notes renames it, anything else adds a scale; changed
// scales take effect at once, added ones on OK (sheetClosing).
class ScalesPage : public gdi::BackBufferedWidget {
    Q_OBJECT
public:
    ScalesPage(SheetState& state, const SettingsSheetContext& context, QWidget* parent = nullptr);
    ~ScalesPage() override;

    // The sheet closes: a scale still playing stops; with OK the added scales
    // join the program's list.
    void sheetClosing(bool accepted);

    std::uint32_t workingMask() const { return workingMask_; }
    bool isPlaying() const { return player_.isPlaying(); }
    // Where key k lies on the page, in pixels.
    QRect keyRect(int k) const;

    void useMessages(UserMessages& messages) { messages_ = &messages; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // The page's background, then its keys or its note names and panel.
    void paintWindow(gdi::Canvas& dc) override;

private:
    void paintKeys(gdi::Canvas& dc);
    void drawKey(gdi::Canvas& dc, int k, bool sunken);
    void chooseScale(int row);
    void save();
    void playOrStop();

    SheetState& state_;
    const SettingsSheetContext& context_;
    ScaleList noScales_; // stands in when the context gives no list
    ScaleEdit edit_;
    ScalePlayer player_;
    MessageBoxes boxes_{this};
    UserMessages* messages_ = &boxes_;
    ColourTable colours_ = fillColours();
    std::array<PushButton, 12> keys_{};
    std::uint32_t workingMask_ = 0;
    int pressedKey_ = -1; // the key the left button went down on, while it is down
    SoundingNote pressedNote_;
    NameListBox* names_ = nullptr;
    QPushButton* play_ = nullptr;
};
