#pragma once

#include "platform/clock/clock.h"
#include "platform/gdi/back_buffered_widget.h"
#include "platform/gdi/window_scale.h"
#include "platform/midi/midi_input.h"
#include "platform/system/help_window.h"
#include "progress/progress_window.h"

#include "platform/system/message_boxes.h"
#include "platform/system/timed_sequence.h"
#include "rhythm/event_time.h"
#include "rhythm/pulse_trainer.h"
#include "rhythm/trainer_view.h"
#include <filesystem>

#include <QTimer>

#include <memory>
#include <optional>

// The beatwise window: a fixed 400 × 220 client area drawn entirely by hand.
// It turns Qt's key, mouse, focus and MIDI events into calls of the trainer
// and carries out the trainer's drawing on its back buffer.
class BeatwiseWindow : public gdi::BackBufferedWidget, private TrainerView {
public:
    static constexpr int pagingTimerId = 129; // the slider's paging timer
    static constexpr int pagingIntervalMs = 10;

    // `midiInput`: whether to listen to the first MIDI input port.
    BeatwiseWindow(Clock& clock, MidiOutputSystem& midiOutputs, Beeper& beeper,
                   bool midiInput = true);
    ~BeatwiseWindow() override;

    // Where the window goes on a screen of the given size.
    static QPoint centredPosition(QSize screen);

    const PulseTrainer& trainer() const { return trainer_; }
    // Where the trainer's ended sessions go (see PulseTrainer).
    void recordSessionsIn(SessionLog* log) { trainer_.recordSessionsIn(log); }
    bool introRunning() const { return !introDone_; }
    HelpWindow* helpWindow() const { return help_; }
    // F2 shows the Progress window of the history in `dataDirectory`; without one, F2 does nothing.
    void showProgressOf(std::filesystem::path dataDirectory)
    {
        historyDirectory_ = std::move(dataDirectory);
    }
    ProgressWindow* progressWindow() const { return progress_; }

    // Where F3 remembers the window size it chose; without one the choice holds for this run.
    void rememberWindowSizeIn(const gdi::RememberedScale* remembered) { sizeMemory_ = remembered; }
    // Places the window by centredPosition at its current scale.
    void placeOnScreen();

    // A message of the MIDI keyboard arriving at `timeMs`.
    void midiMessageReceived(std::uint32_t message, std::uint32_t timeMs);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // F3: Automatic, 1, 2, 3 times, and round again.
    void stepWindowSize();
    void openProgress();

    const gdi::RememberedScale* sizeMemory_ = nullptr;
    std::optional<int> windowSize_; // the size F3 chose last; empty: automatic

    // TrainerView
    void blankDial() override;
    void drawNeedle(int x) override;
    void eraseNeedle(int x) override;
    void drawLamp(int lamp, bool lit) override;
    void drawStatusLines(const std::string& steadiness, const std::string& runs) override;
    void repaintAll() override;
    void showResults(const std::string& text) override;
    void moveThumb(int oldX, int newX) override;
    void drawMetronomeButton(bool pressed) override;
    void drawMetronomeCaption(bool running) override;
    void drawHelpButton(bool pressed) override;
    void openHelp() override;
    void setPagingTimer(bool running) override;

    void paintAll();
    void startIntro();

    Clock& clock_;
    SharedMidiOutput output_;
    PulseTrainer trainer_;
    EventTime eventTime_;
    QTimer pagingTimer_;
    TimedSequence intro_;
    MidiInput midiInput_;
    bool listenToMidi_;
    bool painted_ = false;
    bool introDone_ = false;
    HelpWindow* help_ = nullptr;
    ProgressWindow* progress_ = nullptr;
    std::filesystem::path historyDirectory_;
    MessageBoxes messages_{this};
};
