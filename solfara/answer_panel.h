#pragma once

#include "platform/gdi/canvas.h"
#include "render/colours.h"
#include "render/note_bitmaps.h"
#include "render/staff_marker.h"

#include <optional>

// What the piano keyboard and the guitar fretboard share as the mouse plays them: where
// their notes sound, how a note index becomes a MIDI key, and whether the note held
// answers the due note. Their drawing is render/'s.

// The MIDI output the panels sound through. The program's adapter forwards to its MidiOut;
// tests record what arrives.
class KeySink {
public:
    virtual ~KeySink() = default;
    // One short message: status byte, then the two data bytes.
    virtual void send(int status, int data1, int data2) = 0;
};

// The sound settings in force when a key is pressed.
struct PanelSound {
    int transpose = 24;  // 0..48; 24 plays the written pitch
    int midiVol = 100;   // note-on velocity setting
    int miditimbre = 0;  // General MIDI program
    bool editor = false; // the custom melody editor plays untransposed keys

    int keyOf(int noteIndex) const { return editor ? noteIndex + 36 : noteIndex + transpose + 12; }
};

// Everything a press or a slide needs besides the point. Without a due note (the custom
// melody editor) the panel sounds and draws but neither judges nor writes on a staff.
struct PanelContext {
    PanelSound sound;
    std::optional<DueNote> due;
};

// The note a panel sounds while the mouse holds it: note-on on channel 1, and on release
// note-offs on channels 1 and 13. Stopping twice sends nothing the second time.
class HeldNote {
public:
    explicit HeldNote(KeySink& sink) : sink_(sink) {}

    // A fresh press also selects the timbre, as the press of a key on the window does.
    void start(int noteIndex, const PanelSound& sound, bool selectTimbre);
    void stop();

    bool sounding() const { return sounding_; }
    int midiKey() const { return midiKey_; }

private:
    KeySink& sink_;
    int midiKey_ = 0;
    bool sounding_ = false;
};

// The pieces both panels keep for the key or string held: the sound, the staff marker and
// whether the note answers the due note.
class PanelAnswer {
public:
    PanelAnswer(KeySink& sink, const NoteBitmaps& art, const ColourTable& colours)
        : note_(sink), art_(art), colours_(colours)
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
    AnswerPanel(KeySink& sink, const NoteBitmaps& art, const ColourTable& colours)
        : answer_(sink, art, colours)
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
