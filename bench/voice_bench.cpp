// What the pitch detectors cost per block, next to FFTW's transform of the
// same size, and the cents of a block for intonation, and how long a filled capture block takes to
// reach the GUI thread; the level meter's cost per block and its delay from sound.
//   build/bench/voice_bench
// The real-microphone delay needs a private PulseAudio server:
//   bash -c 'source .ci/private-pulseaudio.sh && start_private_pulseaudio &&
//   build/bench/voice_bench'

#include "platform/audio/capture_format.h"
#include "platform/audio/internal/capture_converter.h"
#include "platform/audio/internal/pulse_wave_input.h"
#include "platform/audio/internal/rtaudio_wave_input.h"
#include "platform/audio/queued_wave_input.h"
#include "platform/audio/sound_level.h"
#include "voice/fft_tables.h"
#include "voice/microphone_check.h"
#include "voice/pitch_detector.h"
#include "voice/pitch_measure.h"
#include "voice/precise_pitch_detector.h"
#include "voice/radix2_transform.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <optional>
#include <random>
#include <thread>
#include <utility>
#include <vector>

namespace {

std::vector<std::uint8_t> toneBlock(double frequency, int length)
{
    std::vector<std::uint8_t> block(static_cast<std::size_t>(length));
    for (int i = 0; i < length; ++i)
        block[std::size_t(i)] = std::uint8_t(
            128 + std::lround(90 * std::sin(2 * std::numbers::pi * frequency * i / 11025)));
    return block;
}

// One whole analysed block: conversion, transform, peak search, note lookup.
// A4 keeps the detector on 1024-sample blocks, A2 on 2048.
void BM_DetectorBlock(benchmark::State& state)
{
    const int size = int(state.range(0));
    const double frequency = size == 1024 ? 440.0 : 110.0;
    const auto block = toneBlock(frequency, size);
    const PeriodTable table = buildPeriodTable(440);
    PitchDetector detector;
    DetectorSettings settings;
    detector.analyseBlock(toneBlock(frequency, 2048), settings, table, std::nullopt);
    if (detector.fftSize() != size)
        state.SkipWithError("detector did not settle on the block length");
    for (auto _ : state) {
        auto result = detector.analyseBlock(block, settings, table, std::nullopt);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_DetectorBlock)->Arg(1024)->Arg(2048);

// One whole block of the Precise detector (always 1024 samples): conversion,
// two 2048-point transforms, the period search. C2, A2 and A4.
void BM_PreciseDetectorBlock(benchmark::State& state)
{
    const auto block = toneBlock(double(state.range(0)), PrecisePitchDetector::windowLength);
    const PeriodTable table = buildPeriodTable(440);
    PrecisePitchDetector detector;
    DetectorSettings settings;
    for (auto _ : state) {
        auto result = detector.analyseBlock(block, settings, table, std::nullopt);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_PreciseDetectorBlock)->Arg(65)->Arg(110)->Arg(440);

// The cents of one block, as the Classic detector measures them for the
// needle and the report: the period search of the last 1024 samples and its
// refinement over the period's multiples. The refinement's share is largest
// for high notes (many multiples), so 80 Hz, A4 and 1 kHz.
void BM_CentsOfABlock(benchmark::State& state)
{
    const auto block = toneBlock(double(state.range(0)), PitchMeasure::windowLength);
    const PeriodTable table = buildPeriodTable(440);
    PitchMeasure measure;
    for (auto _ : state) {
        const double period = measure.periodOf(block, table);
        benchmark::DoNotOptimize(period);
    }
}
BENCHMARK(BM_CentsOfABlock)->Arg(80)->Arg(440)->Arg(1000);

// The detector's transform alone.
void BM_DetectorTransform(benchmark::State& state)
{
    const int size = int(state.range(0));
    const FftTables& tables = fftTablesForStages(size == 1024 ? 10 : 11);
    std::mt19937 random(7);
    std::uniform_real_distribution<double> value(-1, 1);
    std::vector<double> re(static_cast<std::size_t>(size)), im(re.size());
    std::vector<double> reInput(re.size());
    for (auto& x : reInput)
        x = value(random);
    for (auto _ : state) {
        state.PauseTiming();
        re = reInput;
        im = reInput;
        state.ResumeTiming();
        radix2Transform(re.data(), im.data(), tables);
        benchmark::DoNotOptimize(re.data());
    }
}
BENCHMARK(BM_DetectorTransform)->Arg(1024)->Arg(2048);

// FFTW's complex transform of the same size (planned with FFTW_MEASURE), the
// yardstick for the two above.
void BM_FftwTransform(benchmark::State& state)
{
    const int size = int(state.range(0));
    fftw_complex* data = fftw_alloc_complex(std::size_t(size));
    fftw_plan plan = fftw_plan_dft_1d(size, data, data, FFTW_FORWARD, FFTW_MEASURE);
    std::mt19937 random(7);
    std::uniform_real_distribution<double> value(-1, 1);
    for (int i = 0; i < size; ++i)
        data[i][0] = data[i][1] = value(random);
    for (auto _ : state) {
        fftw_execute(plan);
        benchmark::DoNotOptimize(data);
    }
    fftw_destroy_plan(plan);
    fftw_free(data);
}
BENCHMARK(BM_FftwTransform)->Arg(1024)->Arg(2048);

double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    return values[std::size_t(p * double(values.size() - 1) + 0.5)];
}

// The delays' count (as `counted`), median, 90th and 99th percentile and
// maximum as the benchmark's counters, in microseconds; nothing without any.
void reportDelays(benchmark::State& state, const std::vector<double>& delays, const char* counted)
{
    if (delays.empty())
        return;
    state.counters[counted] = double(delays.size());
    state.counters["median_us"] = percentile(delays, 0.5);
    state.counters["p90_us"] = percentile(delays, 0.9);
    state.counters["p99_us"] = percentile(delays, 0.99);
    state.counters["max_us"] = percentile(delays, 1.0);
}

// Opens `microphone`, queues its first block and runs `loop` until a block
// handler quits it; the benchmark is skipped when the microphone does not open.
void listenUntilQuit(benchmark::State& state, WaveInput& microphone, QEventLoop& loop)
{
    if (!microphone.open()) {
        state.SkipWithError("the microphone did not open");
        return;
    }
    microphone.queueBlock(shortBlockLength);
    microphone.start();
    loop.exec();
    microphone.close();
}

// A wave input whose "audio callback" is a thread delivering 256 frames of a
// 48 kHz tone every `period`, through the same converter as the microphone.
class SimulatedCallbackInput final : public QueuedWaveInput {
public:
    explicit SimulatedCallbackInput(std::chrono::microseconds period) : period_(period) {}
    ~SimulatedCallbackInput() override { close(); }
    Status open() override
    {
        quit_ = false;
        thread_ = std::thread([this] { run(); });
        return Status::success();
    }
    void close() override
    {
        stop();
        quit_ = true;
        if (thread_.joinable())
            thread_.join();
    }
    bool isOpen() const override { return thread_.joinable(); }

private:
    void run()
    {
        using Clock = BlockDelivery::Clock;
        Clock::time_point callbackStart;
        CaptureConverter converter(48000, [&](std::span<const std::uint8_t> samples) {
            produce(samples.data(), samples.size(), callbackStart);
        });
        std::vector<float> frames(256);
        long n = 0;
        for (auto next = Clock::now(); !quit_; next += period_) {
            std::this_thread::sleep_until(next);
            callbackStart = Clock::now();
            for (float& f : frames)
                f = float(0.5 * std::sin(2 * std::numbers::pi * 440 * double(n++) / 48000));
            converter.convert(frames.data(), frames.size());
        }
    }

    std::chrono::microseconds period_;
    std::thread thread_;
    std::atomic<bool> quit_{false};
};

// From the start of the callback that brings a block's last sample to the
// block handler running on the GUI thread. Callbacks come every 1 ms (five
// times real time, so the run is short); the handler re-queues at once.
void BM_CaptureToGuiThreadDelay(benchmark::State& state)
{
    std::vector<double> delays;
    for (auto _ : state) {
        SimulatedCallbackInput input(std::chrono::microseconds(1000));
        QEventLoop loop;
        input.setBlockHandler([&](const CapturedBlock& block) {
            delays.push_back(std::chrono::duration<double, std::micro>(BlockDelivery::Clock::now() -
                                                                       block.completedAt)
                                 .count());
            if (delays.size() % 300 == 0)
                loop.quit();
            input.queueBlock(delays.size() % 2 ? longBlockLength : shortBlockLength);
            input.start();
        });
        listenUntilQuit(state, input, loop);
    }
    reportDelays(state, delays, "blocks");
}
BENCHMARK(BM_CaptureToGuiThreadDelay)->Iterations(1)->Unit(benchmark::kMillisecond);

// The private sound server's pipe microphone and its rate, as the end-to-end
// tests name them, with the sound libraries pointed at that server; nothing
// (and the benchmark skipped) when none is named.
std::optional<std::pair<const char*, int>> privateMicrophone(benchmark::State& state)
{
    const char* server = std::getenv("SOLFARA_TEST_PULSE_SERVER");
    const char* pipe = std::getenv("SOLFARA_TEST_MIC_PIPE");
    const char* rateText = std::getenv("SOLFARA_TEST_MIC_RATE");
    if (!server || !pipe || !rateText) {
        state.SkipWithError("no private PulseAudio server named");
        for (auto _ : state) {
        }
        return std::nullopt;
    }
    setenv("PULSE_SERVER", server, 1);
    return std::pair{pipe, std::atoi(rateText)};
}

// The same delay on the real microphone path (RtAudio's PulseAudio callback
// thread), when a private PulseAudio server with a pipe microphone is named
// as for the end-to-end test (SOLFARA_TEST_PULSE_SERVER, SOLFARA_TEST_MIC_PIPE,
// SOLFARA_TEST_MIC_RATE); 100 blocks in real time.
void BM_MicrophoneToGuiThreadDelay(benchmark::State& state)
{
    const auto source = privateMicrophone(state);
    if (!source)
        return;
    const auto [pipe, rate] = *source;
    std::vector<double> delays;
    for (auto _ : state) {
        std::atomic<bool> quit{false};
        std::thread writer([&] {
            const int fd = ::open(pipe, O_WRONLY);
            std::vector<std::int16_t> chunk(std::size_t(rate) / 100);
            long n = 0;
            for (auto next = std::chrono::steady_clock::now(); fd >= 0 && !quit;) {
                for (auto& s : chunk)
                    s = std::int16_t(8000 *
                                     std::sin(2 * std::numbers::pi * 440 * double(n++) / rate));
                if (::write(fd, chunk.data(), chunk.size() * sizeof(std::int16_t)) < 0)
                    break;
                next += std::chrono::milliseconds(10);
                std::this_thread::sleep_until(next);
            }
            if (fd >= 0)
                ::close(fd);
        });
        RtAudioWaveInput microphone;
        QEventLoop loop;
        microphone.setBlockHandler([&](const CapturedBlock& block) {
            delays.push_back(std::chrono::duration<double, std::micro>(BlockDelivery::Clock::now() -
                                                                       block.completedAt)
                                 .count());
            if (delays.size() % 100 == 0)
                loop.quit();
            microphone.queueBlock(shortBlockLength);
            microphone.start();
        });
        listenUntilQuit(state, microphone, loop);
        quit = true;
        writer.join();
    }
    reportDelays(state, delays, "blocks");
}
BENCHMARK(BM_MicrophoneToGuiThreadDelay)->Iterations(1)->Unit(benchmark::kMillisecond);

// The level meter's cost on one block of 1024 samples at the capture rate:
// measuring it and judging the reading.
void BM_LevelMeterBlock(benchmark::State& state)
{
    std::vector<float> block(shortBlockLength);
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = float(0.3 * std::sin(2 * std::numbers::pi * 330 * double(i) / 11025));
    SoundLevelMeter meter;
    for (auto _ : state) {
        meter.feed(block.data(), block.size());
        benchmark::DoNotOptimize(judgeLevel(meter.latest(), 10));
    }
}
BENCHMARK(BM_LevelMeterBlock);

std::int64_t steadyMicroseconds()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Writes the private sound server's pipe microphone in real time, 5 ms at a
// time: silence, or a 440 Hz tone while `loud`; `toneStartUs` is when the
// chunk that starts a tone was written (0 until then).
class ToneWriter {
public:
    ToneWriter(const char* pipe, int rate) : thread_([this, pipe, rate] { run(pipe, rate); }) {}
    ~ToneWriter()
    {
        quit_ = true;
        thread_.join();
    }
    // Starts a tone (its start time is taken again) or silence.
    void setLoud(bool loud)
    {
        if (loud)
            toneStartUs = 0;
        loud_ = loud;
    }

    std::atomic<std::int64_t> toneStartUs{0};

private:
    void run(const char* pipe, int rate)
    {
        const int fd = ::open(pipe, O_WRONLY);
        std::vector<std::int16_t> chunk(std::size_t(rate) / 200);
        long n = 0;
        bool wasLoud = false;
        for (auto next = std::chrono::steady_clock::now(); fd >= 0 && !quit_;) {
            const bool now = loud_;
            for (auto& s : chunk)
                s = now ? std::int16_t(16000 *
                                       std::sin(2 * std::numbers::pi * 440 * double(n++) / rate))
                        : 0;
            if (now && !wasLoud)
                toneStartUs = steadyMicroseconds();
            wasLoud = now;
            if (::write(fd, chunk.data(), chunk.size() * sizeof(std::int16_t)) < 0)
                break;
            next += std::chrono::milliseconds(5);
            std::this_thread::sleep_until(next);
        }
        if (fd >= 0)
            ::close(fd);
    }

    std::atomic<bool> loud_{false};
    std::atomic<bool> quit_{false};
    std::thread thread_;
};

// From a tone starting in the private sound server's pipe microphone to the
// meter's first reading of it (peak above -20 dBFS) through the sound
// server's record stream: ten tones after 400 ms of silence each. The Sound
// page reads the meter every 40 ms on top of this.
void BM_SoundToMeterDelay(benchmark::State& state)
{
    const auto source = privateMicrophone(state);
    if (!source)
        return;
    const auto [pipe, rate] = *source;
    std::vector<double> delays;
    for (auto _ : state) {
        PulseWaveInput microphone;
        if (!microphone.open()) {
            state.SkipWithError("the microphone did not open");
            break;
        }
        ToneWriter writer(pipe, rate);
        const SoundLevelMeter& meter = *microphone.levelMeter();
        for (int tone = 0; tone < 10; ++tone) {
            std::this_thread::sleep_for(std::chrono::milliseconds(400));
            writer.setLoud(true);
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
            while (std::chrono::steady_clock::now() < deadline &&
                   (writer.toneStartUs == 0 || meter.latest().peakDbfs < -20.0f))
                std::this_thread::sleep_for(std::chrono::microseconds(500));
            if (writer.toneStartUs != 0 && meter.latest().peakDbfs >= -20.0f)
                delays.push_back(double(steadyMicroseconds() - writer.toneStartUs));
            writer.setLoud(false);
        }
        microphone.close();
    }
    reportDelays(state, delays, "tones");
}
BENCHMARK(BM_SoundToMeterDelay)->Iterations(1)->Unit(benchmark::kMillisecond);

// From a sung onset (a tone starting in the private sound server's pipe
// microphone) to the first analysed block on the GUI thread that measured its
// pitch: when the needle is drawn (its drawing, render_bench's
// centsNeedle, takes microseconds on top). 1024-sample blocks queued one
// at a time as the drill queues them, the Precise detector; twenty tones of
// 600 ms after 400 ms of silence each, so onsets fall anywhere in a block.
void BM_SungOnsetToNeedle(benchmark::State& state)
{
    const auto source = privateMicrophone(state);
    if (!source)
        return;
    const auto [pipe, rate] = *source;
    std::vector<double> delays;
    for (auto _ : state) {
        PulseWaveInput microphone;
        ToneWriter writer(pipe, rate);
        PrecisePitchDetector detector;
        const PeriodTable table = buildPeriodTable(440);
        QEventLoop loop;
        int tones = 0;
        bool seen = false;     // the tone under way has been measured
        bool starting = false; // a tone is about to start
        std::mt19937 random(2026);
        std::int64_t phaseStartUs = steadyMicroseconds();
        microphone.setBlockHandler([&](const CapturedBlock& block) {
            const DetectionResult result =
                detector.analyseBlock(block.samples, DetectorSettings{}, table, std::nullopt);
            const std::int64_t now = steadyMicroseconds();
            if (writer.toneStartUs != 0 && !seen && result.period > 0) {
                delays.push_back(double(now - writer.toneStartUs));
                seen = true;
            }
            // 400 ms of silence, then 600 ms of tone, starting up to a block
            // after the block that ended the silence.
            const bool loudPhase = writer.toneStartUs != 0 || starting;
            if (!loudPhase && now - phaseStartUs > 400000) {
                starting = true;
                seen = false;
                QTimer::singleShot(std::uniform_int_distribution<int>(0, 93)(random), [&] {
                    writer.setLoud(true);
                    starting = false;
                    phaseStartUs = steadyMicroseconds();
                });
            } else if (loudPhase && !starting && now - phaseStartUs > 600000) {
                writer.setLoud(false);
                writer.toneStartUs = 0;
                phaseStartUs = now;
                if (++tones == 20)
                    loop.quit();
            }
            microphone.queueBlock(shortBlockLength);
            microphone.start();
        });
        listenUntilQuit(state, microphone, loop);
    }
    reportDelays(state, delays, "tones");
}
BENCHMARK(BM_SungOnsetToNeedle)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
