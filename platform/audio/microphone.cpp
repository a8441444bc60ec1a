#include "platform/audio/microphone.h"

#include "platform/audio/rtaudio_wave_input.h"
#include "platform/audio/wav_file_wave_input.h"

Microphone systemMicrophone()
{
    return {std::make_unique<RtAudioWaveInputDevices>(), std::make_unique<RtAudioWaveInput>()};
}

Microphone recordingAsMicrophone(const std::string& path, std::string& error)
{
    auto input = WavFileWaveInput::create(path, error);
    if (!input)
        return {};
    return {std::make_unique<FixedWaveInputDevices>(1), std::move(input)};
}
