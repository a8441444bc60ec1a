#include "platform/audio/microphone.h"

#include "platform/audio/internal/desktop_wave_input.h"
#include "platform/audio/internal/wav_file_wave_input.h"

Microphone systemMicrophone(const std::string& chosenSource)
{
    auto input = std::make_unique<DesktopWaveInput>(chosenSource);
    MicrophoneChoice* choice = input.get();
    return {std::make_unique<RtAudioWaveInputDevices>(), std::move(input), choice};
}

Result<Microphone> recordingAsMicrophone(const std::string& path)
{
    auto input = WavFileWaveInput::create(path);
    if (!input)
        return input.status();
    return Microphone{std::make_unique<FixedWaveInputDevices>(1), std::move(input).value()};
}
