#include "platform/system/system_beeper.h"

#include "platform/audio/internal/rtaudio_backend.h"
#include "platform/system/tone_generator.h"

#include <QApplication>

namespace {
constexpr unsigned sampleRate = 44100;
} // namespace

struct SystemBeeper::Output {
    ToneGenerator generator{sampleRate};
    std::unique_ptr<RtAudio> audio;

    static int fill(void* out, void*, unsigned frames, double, RtAudioStreamStatus, void* user)
    {
        static_cast<Output*>(user)->generator.render(static_cast<float*>(out), frames);
        return 0;
    }

    bool open()
    {
        for (RtAudio::Api api : desktopAudioApis) {
            auto candidate = makeRtAudio(api);
            try {
                if (!candidate || candidate->getDeviceCount() == 0)
                    continue;
                RtAudio::StreamParameters parameters;
                parameters.deviceId = candidate->getDefaultOutputDevice();
                parameters.nChannels = 1;
                unsigned frames = 256;
                candidate->openStream(&parameters, nullptr, RTAUDIO_FLOAT32, sampleRate, &frames,
                                      &Output::fill, this);
                candidate->startStream();
                audio = std::move(candidate);
                return true;
            } catch (const RtAudioError&) {
            }
        }
        return false;
    }

    ~Output()
    {
        if (audio)
            closeAudioStream(*audio);
    }
};

SystemBeeper::SystemBeeper() = default;
SystemBeeper::~SystemBeeper() = default;

void SystemBeeper::tone(double frequencyHz, int milliseconds)
{
    if (!triedOutput_) {
        triedOutput_ = true;
        auto output = std::make_unique<Output>();
        if (output->open())
            output_ = std::move(output);
    }
    if (output_)
        output_->generator.start(frequencyHz, milliseconds);
    else
        QApplication::beep();
}

void SystemBeeper::alert()
{
    QApplication::beep();
}
