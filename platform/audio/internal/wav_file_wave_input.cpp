#include "platform/audio/internal/wav_file_wave_input.h"

#include "platform/audio/capture_format.h"
#include "platform/audio/internal/capture_converter.h"
#include "platform/audio/wav_source.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {
// How often the player hands the recording on: like a device period.
constexpr auto playerPeriod = std::chrono::milliseconds(10);
} // namespace

Result<std::unique_ptr<WavFileWaveInput>> WavFileWaveInput::create(const std::string& path)
{
    auto source = WavSource::open(path);
    if (!source)
        return source.status();
    return std::unique_ptr<WavFileWaveInput>(new WavFileWaveInput(std::move(source).value()));
}

WavFileWaveInput::WavFileWaveInput(std::unique_ptr<WavSource> source) : source_(std::move(source))
{
}

WavFileWaveInput::~WavFileWaveInput()
{
    quit_ = true;
    if (player_.joinable())
        player_.join();
}

Status WavFileWaveInput::open()
{
    open_ = true;
    return Status::success();
}

void WavFileWaveInput::close()
{
    stop();
    open_ = false;
}

void WavFileWaveInput::start()
{
    QueuedWaveInput::start();
    if (open_ && !player_.joinable())
        player_ = std::thread([this] { play(); });
}

void WavFileWaveInput::play()
{
    using Clock = BlockDelivery::Clock;
    const int rate = source_->sampleRate();
    CaptureConverter converter(
        rate,
        [this](std::span<const std::uint8_t> samples) {
            produce(samples.data(), samples.size(), Clock::now());
        },
        &meter_);
    std::vector<float> buffer(std::size_t(rate) / 10 + 1);
    std::array<std::uint8_t, 512> silence;
    silence.fill(silentSample);

    const Clock::time_point begin = Clock::now();
    long long fileSamplesPlayed = 0;
    long long silentSamplesPlayed = 0;
    bool atEnd = false;
    for (Clock::time_point tick = begin; !quit_; tick += playerPeriod) {
        std::this_thread::sleep_until(tick);
        const double elapsed = std::chrono::duration<double>(Clock::now() - begin).count();
        if (!atEnd) {
            long long due = std::llround(elapsed * rate) - fileSamplesPlayed;
            due = std::clamp<long long>(due, 0, (long long)buffer.size());
            const std::size_t got = source_->read(buffer.data(), std::size_t(due));
            converter.convert(buffer.data(), got);
            fileSamplesPlayed += (long long)got;
            if (got < std::size_t(due)) {
                converter.flush();
                atEnd = true;
                silentSamplesPlayed = std::llround(elapsed * captureSampleRate);
            }
            continue;
        }
        long long due = std::llround(elapsed * captureSampleRate) - silentSamplesPlayed;
        while (due > 0) {
            const std::size_t n = std::size_t(std::min<long long>(due, (long long)silence.size()));
            produce(silence.data(), n, Clock::now());
            due -= (long long)n;
            silentSamplesPlayed += (long long)n;
        }
    }
}
