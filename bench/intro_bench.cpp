// The intro's star flight: what one frame costs on the GUI thread (target at
// most 2 ms, so the 20 ms frames hold on a slow machine), and how far the
// frames start from their ideal times (start + n * 20 ms).
//   build/bench/intro_bench
// "plain": a bare canvas; "window": the back buffer of a shown window, whose
// canvas asks for a repaint of every pixel it changes.
#include "midi/midi_out.h"
#include "music/uniform_random_source.h"
#include "platform/gdi/back_buffered_widget.h"
#include "platform/testing/midi_recording.h"
#include "solfara/intro_sequence.h"

#include <QApplication>
#include <QEventLoop>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>

namespace {

using SteadyTime = std::chrono::steady_clock;
using Micros = std::chrono::duration<double, std::micro>;

double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    auto index = static_cast<std::size_t>(p * double(values.size() - 1) + 0.5);
    return values[index];
}

// A window-sized target: a bare image, or a shown back-buffered window.
struct Target {
    QImage image{500, 494, QImage::Format_RGB32};
    gdi::Canvas plain{image};
    std::unique_ptr<gdi::BackBufferedWidget> window;

    explicit Target(bool inWindow)
    {
        if (!inWindow)
            return;
        window = std::make_unique<gdi::BackBufferedWidget>(nullptr, QSize(500, 494));
        window->show();
    }
    gdi::Canvas& canvas() { return window ? window->canvas() : plain; }
};

struct Rig {
    SteadyClock clock;
    RecordingMidiOutputSystem system{{"Recorder"}, clock};
    MidiOut out{system};
    UniformRandomSource random{1};
    Rig() { static_cast<void>(out.reopen(-1)); }
};

// The flight with no waits: the time from one frame shown to the next is the
// work of one frame.
void BM_IntroFrame(benchmark::State& state)
{
    Target target(state.range(0) == 1);
    Rig rig;
    std::vector<double> frameUs;
    for (auto _ : state) {
        IntroSequence intro(target.canvas(), rig.out, rig.random, {0, 0, 0});
        SteadyTime::time_point last;
        int shown = 0;
        intro.RunIntro(fillColours(),
                       [&] {
                           auto now = SteadyTime::now();
                           if (++shown > 1 && shown <= IntroSequence::frameCount)
                               frameUs.push_back(Micros(now - last).count());
                           last = now;
                       },
                       {});
        // Let the window show what was drawn, as between real frames.
        QCoreApplication::processEvents();
    }
    state.counters["median_frame_us"] = percentile(frameUs, 0.5);
    state.counters["p99_frame_us"] = percentile(frameUs, 0.99);
    state.counters["max_frame_us"] = percentile(frameUs, 1.0);
    state.SetLabel(state.range(0) ? "window" : "plain");
}
BENCHMARK(BM_IntroFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The real flight into a shown window: how late each frame is drawn against
// start + n * 20 ms. The banner is skipped to keep the run short.
void BM_IntroFrameStartJitter(benchmark::State& state)
{
    Target target(state.range(0) == 1);
    Rig rig;
    std::vector<double> lateUs;
    for (auto _ : state) {
        IntroSequence intro(target.canvas(), rig.out, rig.random);
        QEventLoop loop;
        std::vector<SteadyTime::time_point> shownAt;
        intro.RunIntro(
            fillColours(),
            [&] {
                shownAt.push_back(SteadyTime::now());
                if (shownAt.size() == IntroSequence::frameCount)
                    intro.mousePressed(Qt::LeftButton);
            },
            [&] { loop.quit(); });
        loop.exec();
        for (std::size_t n = 1; n < shownAt.size(); ++n)
            lateUs.push_back(std::abs(
                Micros(shownAt[n] - shownAt[0] - std::chrono::milliseconds(20) * int(n)).count()));
    }
    state.counters["frames"] = double(lateUs.size());
    state.counters["median_dev_us"] = percentile(lateUs, 0.5);
    state.counters["p99_dev_us"] = percentile(lateUs, 0.99);
    state.counters["max_dev_us"] = percentile(lateUs, 1.0);
    state.SetLabel(state.range(0) ? "window" : "plain");
}
BENCHMARK(BM_IntroFrameStartJitter)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
