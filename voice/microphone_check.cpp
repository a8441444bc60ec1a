#include "voice/microphone_check.h"

#include <algorithm>
#include <cmath>

namespace {

// A reading counts as voice when it stands clearly above a quiet room.
constexpr float kVoiceDbfs = kTooQuietDbfs;
// Readings are 40 ms apart.
constexpr int kReadingMs = 40;

} // namespace

int sampleStepOf(float peakDbfs)
{
    if (peakDbfs <= kSilenceDbfs)
        return 0;
    // As the capture quantises: the nearest of 128 steps.
    return std::clamp(int(std::lround(std::pow(10.0, peakDbfs / 20.0) * 128.0)), 0, 128);
}

LevelVerdict judgeLevel(SoundLevel level, int micFilter)
{
    if (level.peakDbfs >= kClipDbfs)
        return LevelVerdict::Clipping;
    if (sampleStepOf(level.peakDbfs) <= micFilter)
        return LevelVerdict::Silence;
    return level.rmsDbfs < kTooQuietDbfs ? LevelVerdict::TooQuiet : LevelVerdict::Good;
}

RoomNoise measureRoom(std::span<const SoundLevel> silence)
{
    RoomNoise room;
    room.readings = int(silence.size());
    if (silence.empty())
        return room;
    for (const SoundLevel& level : silence) {
        room.loudest.peakDbfs = std::max(room.loudest.peakDbfs, level.peakDbfs);
        room.loudest.rmsDbfs = std::max(room.loudest.rmsDbfs, level.rmsDbfs);
    }
    // One step above the loudest noise sample: a block of the room's noise
    // never passes, the softest voice above it does.
    room.filter = std::min(128, sampleStepOf(room.loudest.peakDbfs) + 1);
    room.noisy = room.loudest.rmsDbfs > kNoisyRoomDbfs;
    return room;
}

std::string_view verdictAdvice(MicrophoneVerdict verdict)
{
    switch (verdict) {
    case MicrophoneVerdict::NoSignal:
        return "No voice was heard: unmute the microphone, raise its level in the desktop's "
               "sound settings, or choose another input.";
    case MicrophoneVerdict::Clipping:
        return "The voice clips: lower the microphone's level in the desktop's sound settings, "
               "or sing a little farther from it.";
    case MicrophoneVerdict::NoisyRoom:
        return "The room is noisy: move away from the noise, or turn off the microphone's "
               "automatic gain control.";
    case MicrophoneVerdict::Fine:
        return "The microphone is fine: the filter is now set just above the room's noise.";
    }
    return {};
}

void MicrophoneCheck::add(SoundLevel reading, int elapsedMs)
{
    tick(elapsedMs);
    if (phase_ == Phase::Quiet) {
        quiet_.push_back(reading);
        return;
    }
    if (phase_ != Phase::Sing || reading.peakDbfs < kVoiceDbfs)
        return;
    clipped_ = clipped_ || reading.peakDbfs >= kClipDbfs;
    if (++voiceReadings_ * kReadingMs >= kVoiceMs)
        phase_ = Phase::Done;
}

void MicrophoneCheck::tick(int elapsedMs)
{
    if (phase_ == Phase::Quiet && elapsedMs >= kQuietMs)
        phase_ = Phase::Sing;
    if (elapsedMs >= kLongestMs)
        phase_ = Phase::Done;
}

MicrophoneVerdict MicrophoneCheck::verdict() const
{
    if (voiceReadings_ * kReadingMs < kVoiceMs / 3)
        return MicrophoneVerdict::NoSignal;
    if (clipped_)
        return MicrophoneVerdict::Clipping;
    if (room().noisy)
        return MicrophoneVerdict::NoisyRoom;
    return MicrophoneVerdict::Fine;
}
