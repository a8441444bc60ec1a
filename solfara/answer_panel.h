#pragma once

#include "midi/midi_out.h"
#include "music/pitch.h"
#include "music/vocabulary.h"
#include "platform/gdi/canvas.h"
#include "render/colours.h"
#include "render/note_bitmaps.h"
#include "render/staff_marker.h"

#include <optional>

// What the piano keyboard and the guitar fretboard share as the mouse plays them: where
// their notes sound, how a note index becomes a MIDI key, and whether the note held
// answers the due note. Their drawing is render/'s.

// The sound settings in force when a key is pressed.
struct PanelSound {
    int transpose = 24;  // 0..48; 24 plays the written pitch
    int midiVol = 100;   // note-on velocity setting
    int miditimbre = 0;  // General MIDI program
    bool editor = false; // the custom melody editor plays untransposed keys

    int keyOf(int noteIndex) const
    {
        return midiKeyOfNoteIndex(noteIndex, editor ? kNoTranspose : transpose);
    }
};

// Everything a press or a slide needs besides the point. Without a due note (the custom
// melody editor) the panel sounds and draws but neither judges nor writes on a staff.
struct PanelContext {
    PanelSound sound;
    std::optional<DueNote> due;
};

// The note a panel sounds while the mouse holds it: note-on on channel 1, and on release
// note-offs on channels 1 and 13. Stopping twice sends nothing the second time.
// Without an output (null) the panel is silent.
class HeldNote {
public:
    explicit HeldNote(MidiOut* out) : out_(out) {}

    // A fresh press also selects the timbre, as the press of a key on the window does.
    void start(int noteIndex, const PanelSound& sound, bool selectTimbre);
    void stop();

    int midiKey() const { return midiKey_; }

private:
    MidiOut* out_;
    int midiKey_ = 0;
    SoundingNote note_;
};

// The pieces both panels keep for the key or string held: the sound, the staff marker and
// whether the note answers the due note.
class PanelAnswer {
public:
    PanelAnswer(MidiOut* out, const NoteBitmaps& art, const ColourTable& colours)
        : note_(out), art_(art), colours_(colours)
    {
    }

    // Judges `noteIndex` against the due note and writes `marker` when there is one.
    void show(gdi::Canvas& dc, int noteIndex, const PanelContext& context,
              const std::optional<StaffMarker>& marker);
    // Erases the marker shown, if any.
    void hide(gdi::Canvas& dc);

    HeldNote& note() { return note_; }
    const HeldNote& note() const { return note_; }
    const std::optional<StaffMarker>& marker() const { return marker_; }

    bool correct = false; // the note held equals the due note; the window clears it on accept

private:
    HeldNote note_;
    const NoteBitmaps& art_;
    const ColourTable& colours_;
    std::optional<StaffMarker> marker_;
};

// The keyboard or the fretboard, as the window and the editor page drive them with the mouse.
class AnswerPanel {
public:
    AnswerPanel(MidiOut* out, const NoteBitmaps& art, const ColourTable& colours)
        : answer_(out, art, colours)
    {
    }
    virtual ~AnswerPanel() = default;
    AnswerPanel(const AnswerPanel&) = delete;
    AnswerPanel& operator=(const AnswerPanel&) = delete;

    // Strictly inside the panel's hit rectangle.
    virtual bool contains(int x, int y) const = 0;
    virtual void draw(gdi::Canvas& dc) = 0;
    // Button down inside the panel, or the first move back into it with the button held:
    // selects the timbre and sounds the note under the point, judges it against the due
    // note and writes it on the answer staff. Returns the note index (-1 outside).
    virtual int pressAt(gdi::Canvas& dc, int x, int y, const PanelContext& context) = 0;
    // A move inside the panel with the button held: on another key or string position the
    // old note stops and the new one sounds (no new timbre); otherwise nothing happens.
    virtual void slideTo(gdi::Canvas& dc, int x, int y, const PanelContext& context) = 0;
    // Button up, or the pointer left the panel: note-off on channels 1 and 13, the staff
    // marker erased. Nothing happens when nothing is held.
    virtual void release(gdi::Canvas& dc) = 0;
    virtual bool held() const = 0;
    virtual int pressedNote() const = 0;

    int midiKey() const { return answer_.note().midiKey(); }
    const std::optional<StaffMarker>& marker() const { return answer_.marker(); }
    // The last note pressed equals the due note; stays set after the release until the
    // window has accepted the note.
    bool correct() const { return answer_.correct; }
    void clearCorrect() { answer_.correct = false; }

protected:
    PanelAnswer answer_;
};
