// How closely the metronome keeps time: 200 ticks at 230 beats per minute
// (a 260 ms beat), each tick's arrival at the output compared with its ideal
// time (first tick + k beats). Run once on a quiet machine and once with a
// thread keeping another core busy. Reported in microseconds, late positive.
//
//   build/bench/metronome_jitter_bench
//   setpriv --reuid=nobody --regid=nogroup --clear-groups build/bench/metronome_jitter_bench
//     (the second as a user without real-time priority; the counter
//     "realtime" tells which the run had)
//
// Each case takes 52 s of real time.

#include "platform/testing/midi_recording.h"
#include "rhythm/metronome.h"

#include <benchmark/benchmark.h>
#include <pthread.h>
#include <sched.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

namespace {

constexpr int tickCount = 200;
constexpr std::uint32_t beatMs = 60000 / 230;

double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    auto index = static_cast<std::size_t>(std::ceil(p * values.size())) - 1;
    return values[std::min(index, values.size() - 1)];
}

// Whether this process may give a thread real-time priority, as the
// metronome's timer thread asks for; without it the thread stays a normal one.
bool realTimeAllowed()
{
    bool allowed = false;
    std::thread probe([&] {
        sched_param priority{};
        priority.sched_priority = sched_get_priority_min(SCHED_FIFO);
        allowed = pthread_setschedparam(pthread_self(), SCHED_FIFO, &priority) == 0;
    });
    probe.join();
    return allowed;
}

void MetronomeTickDeviation(benchmark::State& state)
{
    const bool loaded = state.range(0) != 0;
    for (auto _ : state) {
        SteadyClock clock;
        RecordingMidiOutputSystem midi({}, clock);
        SharedMidiOutput output(midi);
        static_cast<void>(output.open()); // a recording port always opens
        Metronome metronome(output);

        std::atomic<bool> busy{loaded};
        std::thread load([&] {
            volatile std::uint64_t spin = 0;
            while (busy.load(std::memory_order_relaxed))
                spin = spin + 1;
        });

        metronome.start(beatMs);
        while (midi.recording()->messages().size() < tickCount)
            std::this_thread::sleep_for(std::chrono::milliseconds(beatMs / 2));
        metronome.stop();
        busy = false;
        load.join();

        auto messages = midi.recording()->messages();
        std::vector<double> lateness;  // µs, late positive
        std::vector<double> deviation; // µs, either way
        auto first = messages.front().arrival;
        for (int k = 1; k < tickCount; ++k) {
            auto ideal = first + std::chrono::milliseconds(beatMs) * k;
            double late =
                std::chrono::duration<double, std::micro>(messages[k].arrival - ideal).count();
            lateness.push_back(late);
            deviation.push_back(std::abs(late));
        }
        state.counters["median_us"] = percentile(deviation, 0.5);
        state.counters["p99_us"] = percentile(deviation, 0.99);
        state.counters["max_us"] = *std::max_element(deviation.begin(), deviation.end());
        state.counters["realtime"] = realTimeAllowed() ? 1 : 0;
        state.counters["earliest_us"] = *std::min_element(lateness.begin(), lateness.end());
    }
}

} // namespace

BENCHMARK(MetronomeTickDeviation)
    ->ArgName("other_core_busy")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

BENCHMARK_MAIN();
