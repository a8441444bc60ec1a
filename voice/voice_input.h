#pragma once

#include "platform/audio/wave_input.h"
#include "voice/note_detector.h"

#include <optional>

#include <span>
#include <string>

// The drill's side of listening: what each block is judged against, and
// where the results go. Everything is called on the GUI thread.
class VoiceListener {
public:
    struct BlockContext {
        DetectorSettings settings; // `micMuted` is filled in by VoiceInput
        const PeriodTable* periodTable = nullptr;
        std::optional<int> skipTo; // the space bar: the block counts as this due note
    };

    virtual ~VoiceListener() = default;
    virtual BlockContext blockContext() = 0;
    // Every block as it arrives, judged or not (the Sound page's live waveform).
    virtual void blockArrived(std::span<const std::uint8_t> /*samples*/) {}
    // An analysed block: move or erase the pitch marker, judge the note.
    virtual void blockDetected(const DetectionResult& detection) = 0;
    // A modal message box.
    virtual void showMessage(const std::string& text, const std::string& caption) = 0;
};

inline constexpr const char* waveDeviceErrorText = "The wave device cannot be accessed!";

// Listening to the singer: opens and closes the microphone, queues one block
// at a time with the length the detector asks for, and runs every filled
// block through the detector. It owns the state of capture: whether a
// microphone exists, whether the user switched it off, and whether analysis
// is paused.
class VoiceInput {
public:
    VoiceInput(WaveInput& device, NoteDetector& detector, VoiceListener& listener);
    ~VoiceInput();
    VoiceInput(const VoiceInput&) = delete;
    VoiceInput& operator=(const VoiceInput&) = delete;

    // At start-up: whether the machine has a microphone at all.
    void setWaveAvailable(bool available) { waveAvailable_ = available; }
    bool waveAvailable() const { return waveAvailable_; }

    // Once, before listening starts: a test open of the device (only when a
    // microphone exists and is switched on). When it fails the user is told
    // once, and voice input stays off for the run.
    void prepareCapture();
    // Opens the device unless the microphone is switched off, queues a block
    // of the detector's length and records. Opening failures are silent.
    void startCapture();
    // Stops recording and closes the device.
    void stopCapture();

    // The microphone button: switched on, listening starts; switched off, it
    // stops and every block still arriving counts as silence.
    void setMicrophoneOn(bool on);

    bool micOff() const { return micOff_; }
    void setMicOff(bool off) { micOff_ = off; }
    bool micMuted() const { return micMuted_; }
    void setMicMuted(bool muted) { micMuted_ = muted; }
    // While paused (the settings sheet is open) blocks keep flowing but are not judged.
    bool detectionPaused() const { return detectionPaused_; }
    void setDetectionPaused(bool paused) { detectionPaused_ = paused; }

    NoteDetector& detector() { return detector_; }

private:
    void handleBlock(const CapturedBlock& block);
    void queueNextBlock();

    WaveInput& device_;
    VoiceListener& listener_;
    NoteDetector& detector_;
    bool waveAvailable_ = false;
    bool micOff_ = false;
    bool micMuted_ = false;
    bool detectionPaused_ = false;
};
