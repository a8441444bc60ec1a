// How long beatwise keeps a key waiting when its window gains the focus: the
// time from a focus-in event to the end of handling the key press right after
// it, over 50 focus changes, with the built-in synthesizer sounding through
// the sound server. Two cases side by side: the synthesizer kept up across
// focus changes (the program), and restarted at every focus gain (as the
// program did before). Reported in milliseconds.
//
// Run it against a private PulseAudio server, as the end-to-end tests do:
//   bash -c 'source .ci/private-pulseaudio.sh && start_private_pulseaudio &&
//     PULSE_SERVER=$SOLFARA_TEST_PULSE_SERVER QT_QPA_PLATFORM=offscreen
//     build/bench/focus_gain_bench [SOUNDFONT]'

#include "beatwise/beatwise_window.h"
#include "platform/clock/clock.h"
#include "platform/midi/desktop_midi_output_system.h"
#include "platform/midi/internal/synth_output_port.h"
#include "platform/midi/library_chatter.h"
#include "platform/system/beeper.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int focusChanges = 50;

class SilentBeeper : public Beeper {
public:
    void tone(double, int) override {}
    void alert() override {}
};

// The mapper as it was opened before: a new synthesizer and audio driver at
// every open, the old one stopped at every close.
class RestartingSynthSystem final : public MidiOutputSystem {
public:
    explicit RestartingSynthSystem(std::string soundFont) : soundFont_(std::move(soundFont)) {}
    std::vector<std::string> deviceNames() override { return {SynthOutputPort::deviceName}; }
    OpenResult open(int) override { return SynthOutputPort::open(soundFont_); }

private:
    std::string soundFont_;
};

void waitForIntro(const BeatwiseWindow& window)
{
    while (window.introRunning())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
}

void report(const char* name, MidiOutputSystem& system)
{
    SteadyClock clock;
    SilentBeeper beeper;
    BeatwiseWindow window(clock, system, beeper, false);
    window.show();
    waitForIntro(window);

    std::vector<double> waits;
    for (int i = 0; i < focusChanges; ++i) {
        QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(&window, &out);
        QApplication::processEvents();
        const auto start = std::chrono::steady_clock::now();
        QFocusEvent in(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(&window, &in);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
        QApplication::sendEvent(&window, &press);
        waits.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, "a");
        QApplication::sendEvent(&window, &release);
        QApplication::processEvents();
    }
    std::sort(waits.begin(), waits.end());
    std::printf("%-44s median %7.2f ms  max %7.2f ms  (%d focus gains)\n", name,
                waits[waits.size() / 2], waits.back(), focusChanges);
}

} // namespace

int main(int argc, char* argv[])
{
    const std::string soundFont = argc > 1 ? argv[1] : "";
    QApplication app(argc, argv);
    setMidiLibraryChatter(false);
    {
        DesktopMidiOutputSystem kept({.soundFont = soundFont});
        report("synthesizer kept up (the program):", kept);
    }
    {
        RestartingSynthSystem restarting(soundFont);
        report("synthesizer restarted at each focus gain:", restarting);
    }
    return 0;
}
