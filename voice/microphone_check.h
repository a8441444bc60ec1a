#pragma once

#include "platform/audio/sound_level.h"

#include <span>
#include <string_view>
#include <vector>

// What the microphone set-up judges from the level meter's readings (one
// every 40 ms), in dBFS.
inline constexpr float kClipDbfs = -1.0f;       // a peak at or above it clips
inline constexpr float kTooQuietDbfs = -40.0f;  // a voice below it (RMS) is too quiet
inline constexpr float kNoisyRoomDbfs = -50.0f; // a quiet room louder than it (RMS) is noisy
// The peaks of a voice well recorded: loud enough to rise far above the
// room, with room to spare below clipping.
inline constexpr float kGoodPeakLowDbfs = -30.0f;
inline constexpr float kGoodPeakHighDbfs = -6.0f;

// The largest 8-bit sample step (of 128) a level's peak reaches.
int sampleStepOf(float peakDbfs);

// How the sound of one reading fares against the silence filter `micFilter`.
enum class LevelVerdict {
    Silence,  // nothing above the filter: the detector hears silence
    TooQuiet, // above the filter, but too faint to be heard well
    Good,
    Clipping,
};
LevelVerdict judgeLevel(SoundLevel level, int micFilter);

// The room's noise over readings taken in silence.
struct RoomNoise {
    SoundLevel loudest; // the loudest peak and the loudest RMS of the readings
    int filter = 0;     // the silence filter just above the loudest noise
    bool noisy = false; // louder than kNoisyRoomDbfs: noise, or an automatic gain control
    int readings = 0;   // how many readings it was measured from
};
// Nothing without readings.
RoomNoise measureRoom(std::span<const SoundLevel> silence);

// The microphone check's one verdict, with the line that tells the fix.
enum class MicrophoneVerdict { NoSignal, Clipping, NoisyRoom, Fine };
std::string_view verdictAdvice(MicrophoneVerdict verdict);

// The microphone check: the room is measured while the singer keeps quiet,
// then the singer sings until enough voice has been heard, all within ten
// seconds. Fed the meter's new readings with the time since the check began.
class MicrophoneCheck {
public:
    static constexpr int kQuietMs = 1500;    // the room's turn
    static constexpr int kVoiceMs = 1500;    // enough voice to judge
    static constexpr int kLongestMs = 10000; // the whole check at most

    enum class Phase { Quiet, Sing, Done };

    void add(SoundLevel reading, int elapsedMs);
    // Time alone moves the check on when no reading comes (a silent source).
    void tick(int elapsedMs);
    Phase phase() const { return phase_; }

    // Once done: the verdict and the room heard first.
    MicrophoneVerdict verdict() const;
    RoomNoise room() const { return measureRoom(quiet_); }

private:
    std::vector<SoundLevel> quiet_;
    int voiceReadings_ = 0;
    bool clipped_ = false;
    Phase phase_ = Phase::Quiet;
};
