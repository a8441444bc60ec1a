#pragma once

#include "drill/drill.h"
#include "drill/drill_record.h"
#include "midi/melody_playback.h"
#include "midi/midi_out.h"
#include "music/melody_generator.h"
#include "platform/clock/clock.h"
#include "platform/system/timed_sequence.h"
#include "render/drill_display.h"
#include "render/push_button.h"
#include "solfara/answer_panel.h"
#include "solfara/main_frame_services.h"
#include "voice/voice_input.h"

#include <QTimer>

#include <functional>

class DrillEngine;

// The drill as the main window runs it: composing, drawing and playing a
// melody, listening to every capture block, confirming sung notes, the
// banner and the next drill, "Hear", "Restart", the note boxes and the
// blinking note cursor. Every timed passage is a TimedSequence, so the window
// keeps painting; blocks that arrive while a melody is being drawn or the
// banner shows are not judged.
class DrillCycle final : public VoiceListener {
public:
    using CanvasSource = std::function<gdi::Canvas&()>;

    DrillCycle(DrillEngine& engine, const MainFrameServices& services, const ColourTable& colours,
               const NoteBitmaps& art, CanvasSource canvas);
    ~DrillCycle() override;

    // The first paint, once the intro is over: a test open of the microphone.
    void prepareCapture();
    // The staff panel for the current settings and key; returns nothing, the
    // layout is kept for the notes drawn on it.
    void drawStaffPanel(gdi::Canvas& dc);
    // The drill part of a paint: the same drill redrawn, or (first paint,
    // `keepMelodyOnRepaint` 0) a new melody drawn (and, on the first paint,
    // played, after which listening starts).
    void paintDrill(gdi::Canvas& dc, bool firstPaint);

    // "New", the voice range, autostart: a new key (when random), staff and melody.
    void newDrill();
    // A new melody in the drill's key (the guitar answer mode chosen): the staff stays.
    void newMelodyInTheSameKey();
    // OK on the settings sheet: the drill to come is drawn for `melosize` notes.
    void settingsTaken();
    // "Hear": plays the melody with capture stopped; `hearButton` shows "STOP..." meanwhile.
    void hear(PushButton& hearButton);
    bool hearing() const { return playback_.isPlaying(); }
    // A second press on "Hear": stops after the note that sounds.
    void stopHearing() { playback_.requestStop(); }
    // "Restart": the same melody from its first note.
    void restart();
    // The 500 ms timer: the dotted cursor line under the due note blinks.
    void blink();
    // The due note was played on the keyboard or fretboard.
    void acceptAnsweredNote();
    // Another note was played on the keyboard or fretboard.
    void wrongNoteAnswered() { recorder_.wrongPress(); }
    // The space bar: the next analysed block counts as the due note.
    void requestSkip() { drill_.requestSkip(); }
    // Takes the pitch marker off the staff (it is drawn again by the next block).
    void hideMarker()
    {
        marker_.y = 1000;
        marker_.bottom = 1010;
    }
    // The microphone button.
    void setMicrophoneOn(bool on);
    // A note box pressed (microphone mode): note i sounds and is highlighted.
    void pressNoteBox(int i);
    void releaseNoteBox();
    // The settings sheet is open: blocks flow on without being judged and the cursor rests.
    void setDetectionPaused(bool paused);
    void stopBlinking();
    // The cursor blinks again, unless the drill is over.
    void resumeBlinking();

    // The tolerance or sight mode changed from the menu: the needle and the
    // confirmed notes' colours follow.
    void practiceChanged()
    {
        drawNeedle(std::nullopt);
        drawConfirmedCents();
    }

    // The window is closing: no more drawing, sound or listening.
    void shutDown();

    // A melody is being drawn or the banner shows.
    bool busy() const { return sequence_.isRunning(); }

    const Drill& drill() const { return drill_; }
    // The last drill that ended with anything in it; none yet.
    const std::optional<DrillRecord>& lastDrill() const { return lastDrill_; }
    const StaffLayout& layout() const { return layout_; }
    const PitchMarker& marker() const { return marker_; }
    std::array<NoteBox, kNoteBoxCount>& noteBoxes() { return layout_.noteBoxes; }
    VoiceInput& voice() { return voice_; }
    bool blinkTimerRunning() const { return blinkTimer_.isActive(); }

    // false: the next full repaint of the main window starts a new drill; every
    // full repaint sets it back to true.
    bool keepMelodyOnRepaint = false;

    // Draws the keyboard or fretboard under the answer staff; empty: none.
    AnswerPanelPainter paintAnswerPanel;
    // The due note as the keyboard and fretboard judge it: nothing once the
    // drill is over or while a melody is being drawn or the banner shows.
    std::optional<DueNote> dueNoteForPanels() const;

    // Called with every capture block after it was handled (the marker drawn).
    std::function<void()> blockHandled;
    // Called with every capture block as it arrives, judged or not (the
    // settings sheet's live waveline); empty: none.
    MicrophoneBlockObserver microphoneObserver;

    // VoiceListener
    BlockContext blockContext() override;
    void blockArrived(std::span<const std::uint8_t> samples) override;
    void blockDetected(const DetectionResult& detection) override;
    void showMessage(const std::string& text, const std::string& caption) override;

private:
    DrillDrawing drawing() const;
    void beginNewMelody();
    void drawNewMelody(bool firstPaint);
    void melodyDrawn(bool firstPaint);
    void acceptNote(bool skipped = false);
    void showBanner();
    void startBlinking();
    void silenceFirstMelody();
    // Note index `noteIndex` sounding as the drawn melody sounds, on both channels.
    SoundingNote startMelodyNote(int noteIndex);
    // Sung at sight: the melody sounds once it has been sung, capture paused;
    // `then` runs after it.
    void playSungMelody(std::function<void()> then);
    // Plays the drill's melody as the settings sound it ("Hear", sight singing).
    void playMelody(MelodyPlayback::Callbacks callbacks);
    // The cents needle, in microphone mode: at `cents`, or the scale alone.
    // Drawn with each block listened to, so a fresh staff shows none.
    void drawNeedle(std::optional<double> cents);
    // The confirmed notes' pitches under their columns.
    void drawConfirmedCents();
    // The drill's record: begun when its melody may be sung, ended (and logged)
    // when it is finished or replaced.
    void beginRecord();
    void endRecord();
    std::uint32_t now()
    {
        return (services_.clock ? *services_.clock : steadyClock_).milliseconds();
    }

    DrillEngine& engine_;
    MainFrameServices services_;
    const ColourTable& colours_;
    const NoteBitmaps& art_;
    CanvasSource canvas_;

    Drill drill_;
    StaffLayout layout_;
    PitchMarker marker_;
    bool cursorBlinkOn_ = false;
    int soundingNoteBox_ = -1;
    bool closing_ = false;
    bool drawingMelody_ = false;             // the running sequence draws a melody (not the banner)
    bool playingSungMelody_ = false;         // sung at sight: the melody sounds after it was sung
    SoundingNote firstMelodyNote_;           // the first melody sounds while it is drawn
    std::array<SoundingNote, 3> tonicChord_; // sung at sight: the key before the first note
    SoundingNote noteBoxNote_;               // a note box held down
    QTimer blinkTimer_;
    TimedSequence sequence_; // the melody being drawn, or the banner
    MelodyPlayback playback_;
    VoiceInput voice_;
    MelodyGenerator generator_;
    SteadyClock steadyClock_;
    DrillRecorder recorder_;
    std::optional<DrillRecord> lastDrill_; // the last drill that ended, for its report
};
