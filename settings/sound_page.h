#pragma once

#include "midi/midi_out.h"
#include "platform/system/timed_sequence.h"
#include "settings/settings_sheet_context.h"
#include "settings/sheet_state.h"

#include <QWidget>

#include <cstdint>
#include <span>

class LevelSlider;
class VoiceWavelineView;

// The Sound page: MIDI output device, timbre, playback volume with "Test",
// and the microphone set-up (cycles, tuning A, silence filter, gain) beside
// the live voice waveline. A device choice reopens the output and a timbre
// choice is sent at once; everything else waits for OK in the working copy
// (the volume in its slider).
class SoundPage : public QWidget {
public:
    SoundPage(SheetState& state, const SettingsSheetContext& context, QWidget* parent = nullptr);
    ~SoundPage() override;

    // The volume slider's position, which OK takes as `midiVol`.
    int volumeSliderPosition() const;

    // Draws one microphone block into the waveline with the working copy's
    // gain and filter.
    void showMicrophoneBlock(std::span<const std::uint8_t> samples);

    // The detector choice: a strip along the bottom of the page, below the
    // microphone group (dialog units).
    static constexpr int kDetectorChoiceTop = 220;

private:
    void makeComputerSound();
    void makeMicrophoneSetup();
    void makeDetectorChoice();
    void chooseDevice(int position);
    void chooseTimbre(int position);
    void test();
    void stopTestNote();

    SheetState& state_;
    const SettingsSheetContext& context_;
    LevelSlider* volume_ = nullptr;
    VoiceWavelineView* waveline_ = nullptr;
    TimedSequence testSequence_;
    SoundingNote testNote_;
};
