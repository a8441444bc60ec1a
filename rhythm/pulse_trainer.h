#pragma once

#include "platform/clock/clock.h"
#include "rhythm/metronome.h"
#include "rhythm/practice_session.h"
#include "rhythm/pulse_judge.h"
#include "rhythm/rhythm_sound.h"
#include "rhythm/tempo_slider.h"
#include "rhythm/trainer_layout.h"
#include "rhythm/trainer_view.h"

#include <cstdint>

// The steady-pulse trainer: turns key presses, MIDI notes and mouse actions into
// judged hits, statistics, metronome control and drawing calls on its view.
class PulseTrainer {
public:
    enum class Key { Escape, Results, Other };

    static constexpr std::uint32_t chordWindowMs = 50;

    // Opens the output; with none, the computer beeps once.
    PulseTrainer(Clock& clock, TrainerView& view, SharedMidiOutput& output, Beeper& beeper);
    ~PulseTrainer();

    // Computer keyboard. `time` is when the key went down.
    void keyPressed(Key key, std::uint32_t time, bool autoRepeat);
    void keyReleased(Key key, bool autoRepeat);

    // One short message from the MIDI keyboard, received at `time`.
    void midiMessage(std::uint32_t message, std::uint32_t time);

    // Left mouse button, in client coordinates.
    void mousePressed(int x, int y);
    void mouseMoved(int x, int y);
    void mouseReleased();
    void pagingTick();

    // The window got the focus: the output is opened afresh.
    void focusGained();

    // From now on every session that ends (Esc, F1, a tempo change, the end
    // of the trainer) goes to `log`; null: none do.
    void recordSessionsIn(SessionLog* log) { sessionLog_ = log; }
    // The Progress window opens: the session so far goes to the history, so
    // that it shows there; the next hit begins a new one.
    void progressShown() { endSession(); }

    const HitStats& stats() const { return judge_.stats(); }
    bool awaitingFirstHit() const { return judge_.awaitingFirstHit(); }
    const TempoSlider& slider() const { return slider_; }
    bool metronomeRunning() const { return metronome_.running(); }
    bool metronomeButtonPressed() const { return metronomeButtonPressed_; }

    static bool onMetronomeButton(int x, int y) { return layout::metronomeButton.contains(x, y); }
    static bool onHelpButton(int x, int y) { return layout::helpButton.contains(x, y); }

private:
    void hit(std::uint32_t time);
    void endSession();
    void takeHitOff();
    void showResults();
    void pressMetronomeButton();
    void moveSlider(int oldThumbX);

    Clock& clock_;
    TrainerView& view_;
    SharedMidiOutput& output_;
    RhythmSound sound_;
    Metronome metronome_;
    PulseJudge judge_;
    TempoSlider slider_;
    PracticeSession session_;
    SessionLog* sessionLog_ = nullptr;

    std::uint32_t keyDownTime_ = 0;
    bool keyDown_ = false;   // a computer key is held
    bool hitShown_ = false;  // the needle and lamp of the last hit are on the dial
    bool anyHitYet_ = false; // for the chord window of MIDI notes
    int lastNeedleX_ = dial::onBeatX;
    int lastLamp_ = dial::targetLamp;
    bool metronomeButtonPressed_ = false;
};
