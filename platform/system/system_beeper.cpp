#include "platform/system/system_beeper.h"

#include "platform/system/tone_generator.h"

#include <QApplication>

#include <rtaudio/RtAudio.h>

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

    // The sound server first, then ALSA directly. JACK is never asked: it
    // would try to start a server of its own.
    bool open()
    {
        for (auto api : {RtAudio::LINUX_PULSE, RtAudio::LINUX_ALSA}) {
            try {
                auto candidate = std::make_unique<RtAudio>(api);
                candidate->showWarnings(false);
                if (candidate->getDeviceCount() == 0)
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
        if (!audio)
            return;
        try {
            if (audio->isStreamRunning())
                audio->stopStream();
            if (audio->isStreamOpen())
                audio->closeStream();
        } catch (const RtAudioError&) {
        }
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
