#include "platform/audio/internal/rtaudio_wave_input.h"

#include "platform/audio/capture_format.h"
#include "platform/audio/internal/capture_converter.h"
#include "platform/audio/internal/rtaudio_backend.h"

#include <algorithm>
#include <chrono>

namespace {

constexpr unsigned periodFrames = 256;
// The rate to ask the device for: the capture rate itself when offered,
// else the device's own preference.
unsigned chooseRate(const RtAudio::DeviceInfo& info)
{
    const auto& rates = info.sampleRates;
    if (std::find(rates.begin(), rates.end(), unsigned(captureSampleRate)) != rates.end())
        return captureSampleRate;
    if (info.preferredSampleRate)
        return info.preferredSampleRate;
    for (unsigned preferred : {48000u, 44100u, 22050u})
        if (std::find(rates.begin(), rates.end(), preferred) != rates.end())
            return preferred;
    return rates.empty() ? 48000u : rates.back();
}

} // namespace

RtAudioWaveInput::RtAudioWaveInput() = default;

RtAudioWaveInput::~RtAudioWaveInput()
{
    close();
}

Status RtAudioWaveInput::open()
{
    if (audio_)
        return Status::success();
    Status last = Status::failure("No sound system is available.");
    for (RtAudio::Api api : desktopAudioApis) {
        last = openWith(api);
        if (last)
            break;
    }
    return last;
}

Status RtAudioWaveInput::openWith(int api)
{
    auto audio = makeRtAudio(RtAudio::Api(api));
    if (!audio)
        return Status::failure("No sound system is available.");
    try {
        if (audio->getDeviceCount() == 0)
            return Status::failure("No audio device is available.");
        const unsigned device = audio->getDefaultInputDevice();
        const RtAudio::DeviceInfo info = audio->getDeviceInfo(device);
        if (!info.probed || info.inputChannels == 0)
            return Status::failure("The default audio device has no input.");
        RtAudio::StreamParameters parameters;
        parameters.deviceId = device;
        parameters.nChannels = 1;
        unsigned rate = chooseRate(info);
        unsigned frames = periodFrames;
        RtAudio::StreamOptions options;
        options.streamName = "Solfara";
        audio->openStream(nullptr, &parameters, RTAUDIO_SINT16, rate, &frames, &onAudio, this,
                          &options);
        deviceRate_ = rate;
        scratch_.assign(std::max(frames, periodFrames) * 4, 0.0f);
        converter_ = std::make_unique<CaptureConverter>(
            int(rate),
            [this](std::span<const std::uint8_t> samples) {
                produce(samples.data(), samples.size(), callbackStart_);
            },
            &meter_);
        audio_ = std::move(audio);
        audio_->startStream();
        return Status::success();
    } catch (const std::exception& e) {
        audio_.reset();
        converter_.reset();
        deviceRate_ = 0;
        return Status::failure(std::string("The microphone cannot be opened: ") + e.what());
    } catch (...) {
        audio_.reset();
        converter_.reset();
        deviceRate_ = 0;
        return Status::failure("The microphone cannot be opened.");
    }
}

void RtAudioWaveInput::close()
{
    stop();
    if (!audio_)
        return;
    closeAudioStream(*audio_);
    audio_.reset();
    converter_.reset();
    deviceRate_ = 0;
}

int RtAudioWaveInput::onAudio(void*, void* input, unsigned frames, double, unsigned, void* self)
{
    auto* wave = static_cast<RtAudioWaveInput*>(self);
    wave->callbackStart_ = BlockDelivery::Clock::now();
    const auto* samples = static_cast<const std::int16_t*>(input);
    if (!samples || !wave->converter_)
        return 0;
    float* scratch = wave->scratch_.data();
    const std::size_t room = wave->scratch_.size();
    for (std::size_t done = 0; done < frames;) {
        const std::size_t n = std::min<std::size_t>(room, frames - done);
        for (std::size_t i = 0; i < n; ++i)
            scratch[i] = float(samples[done + i]) / 32768.0f;
        wave->converter_->convert(scratch, n);
        done += n;
    }
    return 0;
}

int RtAudioWaveInputDevices::count()
{
    // A sound server shows itself only by accepting a stream: try one.
    if (RtAudioWaveInput probe; probe.open().ok()) {
        probe.close();
        return 1;
    }
    auto alsa = makeRtAudio(RtAudio::LINUX_ALSA);
    if (!alsa)
        return 0;
    int inputs = 0;
    try {
        for (unsigned i = 0, n = alsa->getDeviceCount(); i < n; ++i)
            if (alsa->getDeviceInfo(i).inputChannels > 0)
                ++inputs;
    } catch (...) {
        return 0;
    }
    return inputs;
}
