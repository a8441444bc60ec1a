// How evenly the metronome's ticks fall at the speakers: the built-in
// synthesizer ticking at 80 beats per minute (750 ms) through a PulseAudio
// server, recorded from the speakers' monitor; each interval between two tick
// onsets compared with the beat. Two cases side by side: ticks sent ahead on
// the synthesizer's own clock (the program) and each tick sent when it is due
// (as sequencer ports get them, and as the program did before).
//
// Run it against a private PulseAudio server, as the end-to-end tests do:
//   bash -c 'source .ci/private-pulseaudio.sh && start_private_pulseaudio &&
//     PULSE_SERVER=$SOLFARA_TEST_PULSE_SERVER build/bench/metronome_speaker_bench [SOUNDFONT]'
// Takes about 40 s.

#include "platform/midi/desktop_midi_output_system.h"
#include "platform/midi/library_chatter.h"
#include "rhythm/metronome.h"
#include "tests/support/monitor_recorder.h"
#include "tests/support/sound_samples.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr std::uint32_t beatMs = 60000 / 80;
constexpr int intervals = 20;

// The system's ports without their own clock: every tick is sent when due.
class SendWhenDue final : public MidiOutputSystem {
public:
    explicit SendWhenDue(MidiOutputSystem& system) : system_(system) {}
    std::vector<std::string> deviceNames() override { return system_.deviceNames(); }
    OpenResult open(int device) override
    {
        auto opened = system_.open(device);
        if (!opened)
            return opened;
        return std::unique_ptr<MidiOutputPort>(std::make_unique<Unclocked>(std::move(*opened)));
    }

private:
    struct Unclocked final : MidiOutputPort {
        explicit Unclocked(std::unique_ptr<MidiOutputPort> port) : port(std::move(port)) {}
        void sendShortMessage(std::uint32_t message) override { port->sendShortMessage(message); }
        void reset() override { port->reset(); }
        void close() override { port->close(); }
        std::string name() const override { return port->name(); }
        std::unique_ptr<MidiOutputPort> port;
    };
    MidiOutputSystem& system_;
};

double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    auto index = static_cast<std::size_t>(std::ceil(p * values.size())) - 1;
    return values[std::min(index, values.size() - 1)];
}

void report(const char* name, MidiOutputSystem& system, const char* server)
{
    MonitorRecorder recorder(server);
    SharedMidiOutput output(system);
    if (!recorder.isOpen() || !output.open()) {
        std::printf("%s: no sound server or synthesizer\n", name);
        return;
    }
    // An idle null sink hands out audio in two-second blocks: let it settle.
    std::this_thread::sleep_for(std::chrono::seconds(2));
    recorder.take();
    Metronome metronome(output);
    metronome.start(beatMs);
    std::this_thread::sleep_for(std::chrono::milliseconds(beatMs * intervals + beatMs / 2));
    metronome.stop();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const auto sound = recorder.take();

    // A tick's own ring may dip and rise again: an onset within half a beat
    // of the one before belongs to the same tick.
    std::vector<std::size_t> onsets;
    for (std::size_t onset : soundOnsets(sound, 0.01f, 0.0005f))
        if (onsets.empty() || onset - onsets.back() > beatMs * SoundFontSynth::sampleRate / 2000)
            onsets.push_back(onset);
    std::vector<double> errors, lengths;
    for (std::size_t k = 1; k < onsets.size(); ++k) {
        const double length = (onsets[k] - onsets[k - 1]) * 1000.0 / SoundFontSynth::sampleRate;
        lengths.push_back(length);
        errors.push_back(std::abs(length - beatMs));
    }
    if (errors.empty()) {
        std::printf("%s: no ticks heard\n", name);
        return;
    }
    std::printf("%-38s %zu intervals: |error| median %.2f ms, p90 %.2f ms, max %.2f ms "
                "(shortest %.1f, longest %.1f ms)\n",
                name, errors.size(), percentile(errors, 0.5), percentile(errors, 0.9),
                *std::max_element(errors.begin(), errors.end()),
                *std::min_element(lengths.begin(), lengths.end()),
                *std::max_element(lengths.begin(), lengths.end()));
}

} // namespace

int main(int argc, char* argv[])
{
    const char* server = std::getenv("PULSE_SERVER");
    if (!server) {
        std::fprintf(stderr, "set PULSE_SERVER to a (private) PulseAudio server\n");
        return 1;
    }
    setMidiLibraryChatter(false);
    DesktopMidiOutputSystem system({argc > 1 ? argv[1] : "", false});
    report("ticks sent ahead on the synth's clock:", system, server);
    SendWhenDue whenDue(system);
    report("ticks sent when due:", whenDue, server);
    return 0;
}
