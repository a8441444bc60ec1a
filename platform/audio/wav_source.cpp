#include "platform/audio/wav_source.h"

#include "platform/audio/internal/capture_converter.h"

#include <sndfile.h>

#include <algorithm>

Result<std::unique_ptr<WavSource>> WavSource::open(const std::string& path)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file)
        return Status::failure("Cannot read \"" + path + "\": " + sf_strerror(nullptr));
    if (info.channels < 1 || info.samplerate < 1000 || info.samplerate > 768000) {
        sf_close(file);
        return Status::failure("Cannot use \"" + path +
                               "\": unsupported channel count or sample rate");
    }
    return std::unique_ptr<WavSource>(new WavSource(file, info.samplerate, info.channels));
}

WavSource::WavSource(SNDFILE* file, int sampleRate, int channels)
    : file_(file), sampleRate_(sampleRate), channels_(channels)
{
    interleaved_.resize(std::size_t(channels) * 1024);
}

WavSource::~WavSource()
{
    sf_close(file_);
}

std::size_t WavSource::read(float* out, std::size_t count)
{
    std::size_t total = 0;
    while (total < count) {
        const std::size_t want = std::min<std::size_t>(count - total, 1024);
        const sf_count_t got = sf_readf_float(file_, interleaved_.data(), sf_count_t(want));
        if (got <= 0)
            break;
        for (sf_count_t frame = 0; frame < got; ++frame) {
            float sum = 0;
            for (int c = 0; c < channels_; ++c)
                sum += interleaved_[std::size_t(frame) * channels_ + c];
            out[total + std::size_t(frame)] = sum / float(channels_);
        }
        total += std::size_t(got);
    }
    return total;
}

Status canReadRecording(const std::string& path)
{
    return WavSource::open(path).status();
}

Result<std::vector<std::uint8_t>> readCaptureSamples(const std::string& path)
{
    auto opened = WavSource::open(path);
    if (!opened)
        return opened.status();
    std::vector<std::uint8_t> samples;
    WavSource* source = opened.value().get();
    CaptureConverter converter(source->sampleRate(), [&](std::span<const std::uint8_t> piece) {
        samples.insert(samples.end(), piece.begin(), piece.end());
    });
    std::vector<float> buffer(4096);
    while (std::size_t got = source->read(buffer.data(), buffer.size()))
        converter.convert(buffer.data(), got);
    converter.flush();
    return samples;
}
