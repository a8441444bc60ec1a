// The built-in synthesizer's timing as heard at the speakers of a PulseAudio
// server (its null sink's monitor, see platform/testing/monitor_recorder.h).
//
//   speaker_timing_bench metronome BPM SECONDS [SOUNDFONT]
//     beatwise's metronome for SECONDS: every interval between two tick
//     onsets against the beat (|error| median, p90, max) and the underruns
//     the synthesizer's stream met.
//   speaker_timing_bench keys COUNT [SOUNDFONT]
//     the delay from an event to its first sample at the speakers, COUNT
//     times each: a key pressed in beatwise's window (the window's own key
//     handling onward), and a note started as solfara's drawn piano starts
//     one (MidiOut::startNote; the press before it takes microseconds, see
//     answer_panel_bench).
//
// Run it against a private PulseAudio server, as the end-to-end tests do,
// from the source directory; for a busy desktop add a CPU-bound process and
// a second sound client:
//   bash -c 'source .ci/private-pulseaudio.sh && start_private_pulseaudio &&
//     export PULSE_SERVER=$SOLFARA_TEST_PULSE_SERVER QT_QPA_PLATFORM=offscreen &&
//     (while :; do :; done) & busy=$!;
//     pacat --raw --format=s16le --channels=2 /dev/zero & other=$!;
//     build/bench/speaker_timing_bench metronome 80 600; kill $busy $other'

#include "beatwise/beatwise_window.h"
#include "midi/midi_out.h"
#include "platform/clock/clock.h"
#include "platform/midi/desktop_midi_output_system.h"
#include "platform/midi/internal/synth_output_port.h"
#include "platform/midi/library_chatter.h"
#include "platform/system/beeper.h"
#include "rhythm/metronome.h"
#include "platform/testing/monitor_recorder.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Ms = std::chrono::duration<double, std::milli>;

double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    auto index = static_cast<std::size_t>(std::ceil(p * values.size())) - 1;
    return values[std::min(index, values.size() - 1)];
}

// The synthesizer as the programs open it, with its stream kept in reach.
struct Synth {
    SynthOutputPort* port = nullptr;
    DesktopMidiOutputSystem system;

    explicit Synth(const std::string& soundFont)
        : system({.soundFont = soundFont}, std::make_unique<NoMidiOutputSystem>(),
                 [this, soundFont]() -> MidiOutputSystem::OpenResult {
                     auto opened = SynthOutputPort::open(soundFont);
                     if (opened)
                         port = static_cast<SynthOutputPort*>(opened->get());
                     return opened;
                 })
    {
    }
    bool ready()
    {
        auto first = system.open(0);
        return first && port && port->waitUntilLoaded();
    }
    void reportStream() const
    {
        if (auto state = port->streamState())
            std::printf("  stream: %d underruns, %d ms queued ahead, latency now %.1f ms, "
                        "%s priority\n",
                        state->underruns, state->bufferMs, state->latencyMs,
                        state->realTime ? "real-time" : "normal");
        else
            std::printf("  stream: %s driver\n", port->audioDriver().c_str());
    }
};

// An idle null sink hands out audio in two-second blocks: let it settle.
void settle(MonitorRecorder& recorder)
{
    std::this_thread::sleep_for(std::chrono::seconds(2));
    recorder.take();
}

// The first sample of each tick: where the sound, in 64-frame blocks, jumps
// well above all that rang over the 20 ms before (at a fast tempo the last
// tick still rings when the next one comes), at least half a beat after the
// tick before.
std::vector<std::size_t> tickOnsets(const std::vector<float>& sound, std::uint32_t beatMs)
{
    constexpr std::size_t block = 64, before = 14; // 14 blocks: 20 ms
    std::vector<float> peaks(sound.size() / block);
    for (std::size_t b = 0; b < peaks.size(); ++b)
        for (std::size_t i = b * block; i < (b + 1) * block; ++i)
            peaks[b] = std::max(peaks[b], std::abs(sound[i]));
    const std::size_t gap = beatMs * SoundFontSynth::sampleRate / 2000 / block;
    std::vector<std::size_t> onsets;
    std::size_t last = 0;
    for (std::size_t b = before; b < peaks.size(); ++b) {
        const float ringing = *std::max_element(peaks.begin() + (b - before), peaks.begin() + b);
        const float loud = std::max(0.01f, 3 * ringing);
        if (peaks[b] <= loud || (!onsets.empty() && b - last < gap))
            continue;
        std::size_t i = b * block;
        while (std::abs(sound[i]) <= loud)
            ++i;
        onsets.push_back(i);
        last = b;
    }
    return onsets;
}

int metronome(int bpm, int seconds, const std::string& soundFont, const char* server)
{
    MonitorRecorder recorder(server);
    Synth synth(soundFont);
    SharedMidiOutput output(synth.system);
    if (bpm <= 0 || !recorder.isOpen() || !synth.ready() || !output.open()) {
        std::printf("no sound server or synthesizer\n");
        return 1;
    }
    settle(recorder);
    const std::uint32_t beatMs = 60000 / bpm;
    Metronome ticking(output);
    ticking.start(beatMs);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    ticking.stop();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const auto sound = recorder.take();

    const auto onsets = tickOnsets(sound, beatMs);
    std::vector<double> errors;
    for (std::size_t k = 1; k < onsets.size(); ++k)
        errors.push_back(
            std::abs((onsets[k] - onsets[k - 1]) * 1000.0 / SoundFontSynth::sampleRate - beatMs));
    if (errors.empty()) {
        std::printf("no ticks heard\n");
        return 1;
    }
    std::printf("metronome %d BPM, %.1f s recorded, ticks from %.1f s to %.1f s, %zu intervals: "
                "|error| median %.2f ms, p90 %.2f ms, max %.2f ms\n",
                bpm, double(sound.size()) / SoundFontSynth::sampleRate,
                double(onsets.front()) / SoundFontSynth::sampleRate,
                double(onsets.back()) / SoundFontSynth::sampleRate, errors.size(),
                percentile(errors, 0.5), percentile(errors, 0.9),
                *std::max_element(errors.begin(), errors.end()));
    synth.reportStream();
    return 0;
}

class SilentBeeper : public Beeper {
public:
    void tone(double, int) override {}
    void alert() override {}
};

// The delay from `at` to the first sample of a sound that starts then: the
// first sample from 2 ms before `at` on that is loud and well above what
// still rang out over the 20 ms before; nothing when none comes within 250 ms.
std::optional<double> delayHeard(const MonitorRecorder& recorder, const std::vector<float>& sound,
                                 Clock::time_point at)
{
    const auto indexAt = [&](Clock::time_point t) {
        std::size_t low = 0, high = sound.size();
        while (low < high) {
            const std::size_t mid = (low + high) / 2;
            if (recorder.timeOfTaken(mid) < t)
                low = mid + 1;
            else
                high = mid;
        }
        return low;
    };
    using std::chrono::milliseconds;
    const std::size_t from = indexAt(at - milliseconds(2));
    float ringing = 0;
    for (std::size_t i = indexAt(at - milliseconds(20)); i < from; ++i)
        ringing = std::max(ringing, std::abs(sound[i]));
    const float loud = std::max(0.01f, 3 * ringing);
    for (std::size_t i = from, end = indexAt(at + milliseconds(250)); i < end; ++i)
        if (std::abs(sound[i]) > loud)
            return Ms(recorder.timeOfTaken(i) - at).count();
    return std::nullopt;
}

// Runs `press` `count` times, 350..650 ms apart, and `release` 120 ms after
// each; then finds each press's sound in the recording.
void measureDelays(const char* name, MonitorRecorder& recorder, int count,
                   const std::function<void()>& press, const std::function<void()>& release)
{
    settle(recorder);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> gap(350, 650);
    std::vector<Clock::time_point> pressed;
    for (int i = 0; i < count; ++i) {
        pressed.push_back(Clock::now());
        press();
        QApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(120));
        release();
        QApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(gap(random)));
    }
    const auto sound = recorder.take();
    std::vector<double> delays;
    for (const Clock::time_point at : pressed)
        if (auto delay = delayHeard(recorder, sound, at))
            delays.push_back(*delay);
    if (delays.empty()) {
        std::printf("%s: nothing heard\n", name);
        return;
    }
    std::printf("%-34s %zu of %d heard: median %.1f ms, p99 %.1f ms, max %.1f ms\n", name,
                delays.size(), count, percentile(delays, 0.5), percentile(delays, 0.99),
                *std::max_element(delays.begin(), delays.end()));
}

int keys(int count, const std::string& soundFont, const char* server, int argc, char* argv[])
{
    QApplication app(argc, argv);
    MonitorRecorder recorder(server);
    Synth synth(soundFont);
    if (count <= 0 || !recorder.isOpen() || !synth.ready()) {
        std::printf("no sound server or synthesizer\n");
        return 1;
    }
    {
        SteadyClock clock;
        SilentBeeper beeper;
        BeatwiseWindow window(clock, synth.system, beeper, false);
        window.show();
        while (window.introRunning())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        QFocusEvent focus(QEvent::FocusIn, Qt::ActiveWindowFocusReason); // opens the output
        QApplication::sendEvent(&window, &focus);
        auto key = [&window](QEvent::Type type) {
            QKeyEvent event(type, Qt::Key_A, Qt::NoModifier, "a");
            QApplication::sendEvent(&window, &event);
        };
        measureDelays(
            "beatwise key press to speakers:", recorder, count, [&] { key(QEvent::KeyPress); },
            [&] { key(QEvent::KeyRelease); });
    }
    {
        MidiOut out(synth.system);
        static_cast<void>(out.reopen(-1));
        out.chooseTimbre(0);
        SoundingNote note;
        measureDelays(
            "solfara piano note to speakers:", recorder, count,
            [&] { note = out.startNote(60, 100); }, [&] { note.stop(); });
    }
    synth.reportStream();
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    const char* server = std::getenv("PULSE_SERVER");
    if (!server || argc < 3) {
        std::fprintf(stderr, "usage (PULSE_SERVER set to a private PulseAudio server):\n"
                             "  speaker_timing_bench metronome BPM SECONDS [SOUNDFONT]\n"
                             "  speaker_timing_bench keys COUNT [SOUNDFONT]\n");
        return 1;
    }
    setMidiLibraryChatter(false);
    const std::string mode = argv[1];
    if (mode == "metronome" && argc >= 4)
        return metronome(std::atoi(argv[2]), std::atoi(argv[3]), argc > 4 ? argv[4] : "", server);
    if (mode == "keys")
        return keys(std::atoi(argv[2]), argc > 3 ? argv[3] : "", server, argc, argv);
    std::fprintf(stderr, "unknown mode %s\n", argv[1]);
    return 1;
}
