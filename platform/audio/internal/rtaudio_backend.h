#pragma once

#include <rtaudio/RtAudio.h>

#include <array>
#include <memory>

// The audio back ends in the order they are tried: the sound server (PipeWire included)
// first, then ALSA directly. JACK is never asked: it would try to start a server of its own.
inline constexpr std::array<RtAudio::Api, 2> desktopAudioApis{RtAudio::LINUX_PULSE,
                                                              RtAudio::LINUX_ALSA};

// An RtAudio bound to `api` with its terminal warnings off, or null when that API is not
// built in or cannot start. Never the unspecified API: it would try JACK first.
inline std::unique_ptr<RtAudio> makeRtAudio(RtAudio::Api api)
{
    try {
        auto audio = std::make_unique<RtAudio>(api);
        if (audio->getCurrentApi() != api)
            return nullptr;
        audio->showWarnings(false);
        return audio;
    } catch (...) {
        return nullptr;
    }
}

// Stops and closes the stream, if there is one. A device that went away leaves nothing to
// release.
inline void closeAudioStream(RtAudio& audio) noexcept
{
    try {
        if (audio.isStreamRunning())
            audio.stopStream();
        if (audio.isStreamOpen())
            audio.closeStream();
    } catch (...) {
    }
}
