// Figures of the main window, printed as a report:
//  - the delay from a capture block's arrival on the GUI thread to the pitch
//    marker in the back buffer (median and 99th percentile over many blocks);
//  - the time from process start to the first frame of the window shown,
//    next to a minimal Qt window (each measured in a fresh process);
//  - the resident memory after 1 and after 10 minutes' worth of listening
//    (blocks fed as fast as the window takes them, drills sung and restarted).
// Runs headless unless QT_QPA_PLATFORM says otherwise.
#include "base/user_messages.h"
#include "drill/drill_engine.h"
#include "drill/settings_file.h"
#include "midi/midi_out.h"
#include "platform/audio/microphone.h"
#include "platform/clock/clock.h"
#include "platform/testing/midi_recording.h"
#include "platform/testing/scripted_wave_input.h"
#include "solfara/main_frame.h"
#include "voice/pitch_detector.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
const Clock::time_point processStart = Clock::now();

double msSince(Clock::time_point t)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

long residentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return 0;
}

std::vector<std::uint8_t> toneBlock(int note, std::size_t length)
{
    const double f = 440.0 * std::pow(2.0, (note - 33) / 12.0);
    std::vector<std::uint8_t> block(length);
    for (std::size_t i = 0; i < length; ++i)
        block[i] =
            std::uint8_t(128 + std::lround(90 * std::sin(2 * std::numbers::pi * f * i / 11025)));
    return block;
}

class NoMessages final : public UserMessages {
public:
    void showError(const std::string&, const std::string&) override {}
    void warn(const std::string&, const std::string&) override {}
    bool ask(const std::string&, const std::string&) override { return true; }
    void inform(const std::string&, const std::string&) override {}
    void offer(const std::string&, const std::string&, std::function<void()>) override {}
};

void processEventsUntil(const std::function<bool()>& done)
{
    QTimer tick;
    tick.start(2);
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// The window over a fresh data directory, a recording MIDI port and a scripted
// microphone, drilling the custom melody C4 D4 E4 without autostart.
struct Rig {
    QTemporaryDir dir;
    SteadyClock clock;
    RecordingMidiOutputSystem midiSystem{{"Report Synth"}, clock};
    MidiOut midiOut{midiSystem};
    FixedWaveInputDevices waveDevices{1};
    NoMessages messages;
    ScriptedWaveInput device;
    PitchDetector detector;
    struct Fixed final : RandomSource {
        int Random(int) override { return 0; }
    } random;
    std::unique_ptr<DrillEngine> engine;
    std::unique_ptr<CMainFrame> frame;

    // Waits until the first melody has been drawn and played, or (`wholeMelody`
    // false) only until the window shows its first drawn frame.
    explicit Rig(bool wholeMelody = true)
    {
        const std::filesystem::path path = dir.path().toStdString();
        std::ofstream(path / "mel.ssc") << "Tune,60,62,64\r\n";
        Settings s;
        s.drilltype = 3;
        s.autostart = 0;
        std::ofstream(path / kSettingsFileName) << settingsFileText(s);
        engine =
            std::make_unique<DrillEngine>(path, EngineServices{midiOut, waveDevices, messages});
        engine->load();
        frame = std::make_unique<CMainFrame>(*engine, MainFrameServices{.midiOut = midiOut,
                                                                        .waveInput = device,
                                                                        .detector = detector,
                                                                        .random = random,
                                                                        .messages = messages});
        frame->show();
        processEventsUntil(
            [&] { return frame->started() && (!wholeMelody || !frame->drill().busy()); });
        QCoreApplication::processEvents(); // the frame reaches the screen
    }

    // One block of `note`; returns after the window has handled it.
    void hear(int note)
    {
        device.feed(toneBlock(note, device.queuedLengths.back()));
        device.deliverPending();
    }
};

void blockToMarker()
{
    Rig rig;
    Clock::time_point arrived;
    std::vector<double> delays;
    rig.frame->drill().blockHandled = [&] { delays.push_back(msSince(arrived)); };
    // Wrong notes only: the marker moves every block, nothing is accepted.
    for (int i = 0; i < 2000; ++i) {
        const int note = 30 + i % 7;
        rig.device.feed(toneBlock(note, rig.device.queuedLengths.back()));
        arrived = Clock::now();
        rig.device.deliverPending();
    }
    std::sort(delays.begin(), delays.end());
    std::printf("block to marker in the back buffer: median %.3f ms, p99 %.3f ms (%zu blocks; "
                "target p99 <= 5 ms)\n",
                delays[delays.size() / 2], delays[delays.size() * 99 / 100], delays.size());
}

void memoryWhileListening()
{
    Rig rig;
    // 1024-sample blocks at 11025 Hz: about 646 a minute.
    const int blocksPerMinute = 11025 * 60 / 1024;
    long afterOne = 0;
    int blocks = 0;
    const int melody[3] = {24, 26, 28};
    while (blocks < 10 * blocksPerMinute) {
        for (int note : melody)
            for (int k = 0; k < 3; ++k, ++blocks)
                rig.hear(k == 2 ? 40 : note); // two matches, then a wrong note
        rig.frame->drill().restart();
        QCoreApplication::processEvents();
        if (!afterOne && blocks >= blocksPerMinute)
            afterOne = residentKiB();
    }
    const long afterTen = residentKiB();
    std::printf("resident memory while listening: %ld KiB after 1 minute, %ld KiB after 10 "
                "minutes of blocks (%+ld KiB)\n",
                afterOne, afterTen, afterTen - afterOne);
}

// In a child process: prints the milliseconds from process start to the first
// frame of the shown window.
int firstFrame(const std::string& mode)
{
    std::unique_ptr<QWidget> window;
    std::unique_ptr<Rig> rig;
    if (mode != "solfara") {
        // A bare window, or one showing a line of text (fonts found and loaded).
        window =
            mode == "text" ? std::make_unique<QLabel>("Solfara 2.5") : std::make_unique<QWidget>();
        window->resize(502, 494);
        window->show();
        processEventsUntil([&] { return window->isVisible(); });
        QCoreApplication::processEvents();
    } else {
        rig = std::make_unique<Rig>(false);
    }
    std::printf("%.1f\n", msSince(processStart));
    return 0;
}

double childFirstFrame(const char* self, const char* mode)
{
    const std::string command = std::string(self) + " " + mode;
    FILE* pipe = popen(command.c_str(), "r");
    double ms = 0;
    if (pipe && std::fscanf(pipe, "%lf", &ms) != 1)
        ms = 0;
    if (pipe)
        pclose(pipe);
    return ms;
}

void startUpTimes(const char* self)
{
    std::vector<double> minimal, text, solfara;
    for (int i = 0; i < 5; ++i) {
        minimal.push_back(childFirstFrame(self, "--first-frame=minimal"));
        text.push_back(childFirstFrame(self, "--first-frame=text"));
        solfara.push_back(childFirstFrame(self, "--first-frame=solfara"));
    }
    for (auto* v : {&minimal, &text, &solfara})
        std::sort(v->begin(), v->end());
    std::printf("start to first frame (median of 5): minimal Qt window %.1f ms, one with a line "
                "of text %.1f ms, solfara %.1f ms (%.1fx the minimal window; target <= 3x)\n",
                minimal[2], text[2], solfara[2], solfara[2] / minimal[2]);
}

} // namespace

int main(int argc, char* argv[])
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("JACK_NO_START_SERVER", "1", 0);
    const std::string mode = argc > 1 ? argv[1] : "";
    QApplication app(argc, argv);
    if (mode.rfind("--first-frame=", 0) == 0)
        return firstFrame(mode.substr(14));
    blockToMarker();
    startUpTimes(argv[0]);
    memoryWhileListening();
    return 0;
}
