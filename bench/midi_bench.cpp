// How exactly melody playback keeps time, and what the built-in synthesizer
// costs to start.
//   build/bench/midi_bench
#include "midi/melody_playback.h"
#include "platform/midi/internal/soundfont_synth.h"
#include "platform/midi/internal/synth_output_port.h"
#include "platform/midi/library_chatter.h"
#include "platform/midi/soundfont_locator.h"
#include "platform/testing/midi_recording.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

using Micros = std::chrono::duration<double, std::micro>;

double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    auto index = static_cast<std::size_t>(p * double(values.size() - 1) + 0.5);
    return values[index];
}

// A 13-note melody at 400 ms per note: how far each note-on lands from its
// ideal time (start + i * 400 ms), in microseconds.
void BM_MelodyOnsetTiming(benchmark::State& state)
{
    SteadyClock clock;
    RecordingMidiOutputSystem system({"Recorder"}, clock);
    MidiOut out(system);
    (void)out.reopen(-1);
    MelodyPlayback playback(out);
    const std::vector<int> melody{24, 26, 28, 29, 31, 33, 35, 36, 35, 33, 31, 29, 28};
    std::vector<double> deviations;

    for (auto _ : state) {
        system.recording()->clear();
        QEventLoop loop;
        auto start = std::chrono::steady_clock::now();
        playback.play(melody, {}, {{}, {}, [&](bool) { loop.quit(); }});
        loop.exec();
        for (const auto& m : system.recording()->messages()) {
            if (m.status() != 0x90)
                continue;
            auto ideal = start + std::chrono::milliseconds(MelodyPlayback::noteMs) *
                                     static_cast<int>(deviations.size() % melody.size());
            deviations.push_back(std::abs(Micros(m.arrival - ideal).count()));
        }
    }
    state.counters["onsets"] = double(deviations.size());
    state.counters["median_dev_us"] = percentile(deviations, 0.5);
    state.counters["p99_dev_us"] = percentile(deviations, 0.99);
    state.counters["max_dev_us"] = percentile(deviations, 1.0);
}
BENCHMARK(BM_MelodyOnsetTiming)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

double residentMegabytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// Creating the synthesizer and loading the default SoundFont. Memory is the
// growth of the resident set while one synthesizer is alive.
void BM_SynthStartup(benchmark::State& state)
{
    auto soundFont = findSoundFont(soundFontSearchFor({}));
    if (!soundFont) {
        state.SkipWithError(soundFont.message().c_str());
        return;
    }
    // Measured once, at the first call, before any synthesizer existed in
    // this process (freed memory stays with the allocator afterwards).
    static const double grown = [&] {
        const double before = residentMegabytes();
        auto first = SoundFontSynth::create(*soundFont);
        return residentMegabytes() - before;
    }();
    for (auto _ : state) {
        auto created = SoundFontSynth::create(*soundFont);
        benchmark::DoNotOptimize(created.ok());
    }
    state.counters["rss_growth_mb"] = grown;
    state.SetLabel(soundFont->string());
}
BENCHMARK(BM_SynthStartup)->Unit(benchmark::kMillisecond)->UseRealTime();

// Opening the whole built-in port: SoundFont and audio driver. Needs a sound
// server or card; skipped without one. With a private server, for example:
//   pulseaudio -n --daemonize=no --exit-idle-time=-1 -L module-null-sink
//     -L "module-native-protocol-unix socket=/tmp/pa/native auth-anonymous=1" &
//   PULSE_SERVER=unix:/tmp/pa/native build/bench/midi_bench
void BM_SynthPortOpen(benchmark::State& state)
{
    std::string driver;
    for (auto _ : state) {
        auto opened = SynthOutputPort::open({});
        if (!opened) {
            state.SkipWithError(opened.message().c_str());
            return;
        }
        driver = static_cast<SynthOutputPort&>(**opened).audioDriver();
        state.PauseTiming(); // closing waits for the audio thread's current write
        opened->reset();
        state.ResumeTiming();
    }
    state.SetLabel(driver);
}
BENCHMARK(BM_SynthPortOpen)->Unit(benchmark::kMillisecond)->UseRealTime();

// A program change followed at once by a note, as "Hear" plays the first
// note of a melody: the time the two calls take (the program's samples are
// read from the SoundFont then, unless preloaded) plus the time until the
// note's first sound in the rendered audio. Args: SoundFont (0 TimGM6mb,
// 1 FluidR3), preloaded (0, 1).
void BM_ProgramChangeToFirstSound(benchmark::State& state)
{
    const char* file = state.range(0) == 0 ? "/usr/share/sounds/sf2/TimGM6mb.sf2"
                                           : "/usr/share/sounds/sf2/FluidR3_GM.sf2";
    if (!std::filesystem::exists(file)) {
        state.SkipWithError("SoundFont not installed");
        return;
    }
    constexpr int flute = 73;
    double firstSoundMs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto created = SoundFontSynth::create(file);
        SoundFontSynth& synth = **created;
        if (state.range(1))
            synth.preloadPrograms({flute});
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        synth.handleShortMessage(packShortMessage(0xC0, flute, 94));
        synth.handleShortMessage(packShortMessage(0x90, 72, 100));
        const double callsMs =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        int frames = 0;
        for (bool heard = false; !heard && frames < SoundFontSynth::sampleRate; frames += 64)
            for (float sample : synth.render(64))
                heard = heard || std::abs(sample) > 1e-4f;
        firstSoundMs = callsMs + frames * 1000.0 / SoundFontSynth::sampleRate;
        state.PauseTiming();
        created->reset();
        state.ResumeTiming();
    }
    state.counters["to_first_sound_ms"] = firstSoundMs;
}
BENCHMARK(BM_ProgramChangeToFirstSound)
    ->ArgNames({"fluidr3", "preloaded"})
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char* argv[])
{
    setenv("JACK_NO_START_SERVER", "1", 1);
    setMidiLibraryChatter(false);
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
