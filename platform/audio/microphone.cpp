#include "platform/audio/microphone.h"

#include "platform/audio/internal/rtaudio_wave_input.h"
#include "platform/audio/internal/wav_file_wave_input.h"

Microphone systemMicrophone()
{
    return {std::make_unique<RtAudioWaveInputDevices>(), std::make_unique<RtAudioWaveInput>()};
}

Result<Microphone> recordingAsMicrophone(const std::string& path)
{
    auto input = WavFileWaveInput::create(path);
    if (!input)
        return input.status();
    return Microphone{std::make_unique<FixedWaveInputDevices>(1), std::move(input).value()};
}
