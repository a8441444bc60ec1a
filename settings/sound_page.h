#pragma once

#include "midi/midi_out.h"
#include "platform/clock/clock.h"
#include "platform/system/message_boxes.h"
#include "platform/system/timed_sequence.h"
#include "settings/settings_sheet_context.h"
#include "settings/sheet_state.h"
#include "voice/microphone_check.h"

#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

class LevelMeterView;
class PageControls;
class LevelSlider;
class QComboBox;
class QPushButton;
class VoiceWavelineView;

// The Sound page: MIDI output device, timbre, playback volume with "Test",
// and the microphone set-up (cycles, tuning A, silence filter, gain) beside
// the live voice waveline. A device choice reopens the output and a timbre
// choice is sent at once; everything else waits for OK in the working copy
// (the volume in its slider). Beyond those: the choice of microphone, a
// level meter under the waveline, "Set from room" and the microphone check.
class SoundPage : public QWidget {
    Q_OBJECT

public:
    SoundPage(SheetState& state, const SettingsSheetContext& context, QWidget* parent = nullptr);
    ~SoundPage() override;

    // The volume slider's position, which OK takes as `midiVol`.
    int volumeSliderPosition() const;

    // Draws one microphone block into the waveline with the working copy's
    // gain and filter.
    void showMicrophoneBlock(std::span<const std::uint8_t> samples);

    // The level meter takes a reading 25 times a second (the meter measures
    // as often); "Set from room" and the check read their time from `clock`.
    void readLevel();
    void useClock(Clock& clock) { clock_ = &clock; }
    void useMessages(UserMessages& messages) { messages_ = &messages; }

    // "Set from room": a second of the room's noise sets the filter.
    void setFromRoom();
    void startCheck();

    // The detector choice: a strip between the two groups (dialog units).
    static constexpr int kDetectorChoiceTop = 89;
    static constexpr int kRoomMs = 1000;
    static constexpr const char* kMicrophoneSetupCaption = "Microphone Setup";
    static constexpr const char* kMicrophoneCheckCaption = "Microphone Check";
    // A clip keeps the lamp lit this long, so that a short one is seen.
    static constexpr int kClipLampMs = 1500;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void makeComputerSound();
    void makeMicrophoneSetup();
    void makeDetectorChoice();
    void makeMicrophoneChoice(PageControls& controls);
    void makeLevelTools(PageControls& controls);
    void takeReading(SoundLevel level, int elapsedMs);
    void finishRoom();
    void finishCheck();
    void showActionLabels();
    int elapsedMs();
    void chooseDevice(int position);
    void chooseTimbre(int position);
    void test();
    void stopTestNote();

    SheetState& state_;
    const SettingsSheetContext& context_;
    LevelSlider* volume_ = nullptr;
    VoiceWavelineView* waveline_ = nullptr;
    LevelSlider* filter_ = nullptr;
    LevelMeterView* meter_ = nullptr;
    QPushButton* roomButton_ = nullptr;
    QPushButton* checkButton_ = nullptr;
    QComboBox* inputList_ = nullptr;
    QTimer levelTimer_;
    SteadyClock steadyClock_;
    Clock* clock_ = &steadyClock_;
    MessageBoxes boxes_{this};
    UserMessages* messages_ = &boxes_;
    // The meter's last reading and when the last clip was heard.
    std::uint32_t readingsSeen_ = 0;
    std::uint32_t lastReadingMs_ = 0;
    std::optional<std::uint32_t> lastClipMs_;
    // "Set from room" or the check, while one runs.
    std::uint32_t actionStartMs_ = 0;
    std::optional<std::vector<SoundLevel>> room_;
    std::optional<MicrophoneCheck> check_;
    bool checkStarted_ = false; // the check asked for at opening has run
    TimedSequence testSequence_;
    SoundingNote testNote_;
};
