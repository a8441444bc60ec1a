#pragma once

#include "midi/midi_out.h"
#include "platform/gdi/back_buffered_widget.h"
#include "platform/system/message_boxes.h"
#include "platform/system/timed_sequence.h"
#include "render/colours.h"
#include "render/note_bitmaps.h"
#include "settings/melody_edit.h"
#include "settings/melody_file_dialogs.h"
#include "settings/settings_sheet_context.h"
#include "settings/sheet_state.h"
#include "solfara/answer_panel.h"

#include <memory>

class NameListBox;
class QPushButton;

// The Custom Melody page: notes are entered with the mouse on a keyboard (a
// fretboard in guitar answer mode): the right button adds the note under the
// pointer, the left button only sounds it. The entered notes show as a row of
// names; "Play" plays them, "SAVE" stores them under the typed name in the
// answer mode's melody file, "Delete" removes the melody chosen in the list
// after asking. "Import ..." appends the melodies of a MusicXML or MIDI file,
// "Export ..." writes the chosen melody to one. The file changes at once,
// whatever button closes the sheet.
class MelodyEditorPage : public gdi::BackBufferedWidget {
    Q_OBJECT
public:
    static constexpr int kPlayNoteMs = 300;

    MelodyEditorPage(SheetState& state, const SettingsSheetContext& context,
                     QWidget* parent = nullptr);
    ~MelodyEditorPage() override;

    // The sheet closes: playback and a held note stop.
    void sheetClosing();

    const MelodyEdit& edit() const { return edit_; }
    const AnswerPanel& panel() const { return *panel_; }
    // The panel's top-left corner on the page, in pixels.
    QPoint panelOrigin() const;
    bool isPlaying() const { return playback_.isRunning(); }

    void useMessages(UserMessages& messages) { messages_ = &messages; }
    void useFileDialogs(MelodyFileDialogs& dialogs) { fileDialogs_ = &dialogs; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // The page's background, then its keys or its note names and panel.
    void paintWindow(gdi::Canvas& dc) override;

private:
    void makeControls();
    void drawNoteName(gdi::Canvas& dc, int i);
    void repaintPage();
    PanelContext panelContext() const;

    void playOrStop();
    void stopPlayback();
    void stopPlayingKey(int key);
    void chooseMelody(int row);
    void save();
    void deleteChosen();
    void importMelodies();
    void exportChosen();
    void tell(const std::string& text);

    SheetState& state_;
    const SettingsSheetContext& context_;
    MelodyEdit edit_;
    MessageBoxes boxes_{this};
    UserMessages* messages_ = &boxes_;
    QtMelodyFileDialogs qtFileDialogs_{this};
    MelodyFileDialogs* fileDialogs_ = &qtFileDialogs_;
    ColourTable colours_ = fillColours();
    NoteBitmaps noMarkers_; // the editor writes no notes on a staff
    std::unique_ptr<AnswerPanel> panel_;
    bool keyboard_ = true;
    Qt::MouseButton heldButton_ = Qt::NoButton;
    bool dragging_ = false; // the left button holds a key and may slide
    bool pointerOverPanel_ = false;
    TimedSequence playback_;
    int playingKey_ = -1; // MIDI key that sounds during playback
    SoundingNote playingNote_;

    NameListBox* names_ = nullptr;
    QPushButton* play_ = nullptr;
};
