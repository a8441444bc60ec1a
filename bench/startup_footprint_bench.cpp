// What starting each program costs with each SoundFont: the time from exec to
// its window appearing (an X MapNotify) and the peak resident memory over the
// start and the two seconds after it (getrusage of the ended child), next to
// a bare Qt window started the same way in the same run. Programs run in
// turn, five times each; the median time and the largest peak are reported.
//
// Run it under an X server and a private PulseAudio server (the synthesizer
// needs an audio output to start), from the source directory:
//   bash -c 'source .ci/private-pulseaudio.sh && start_private_pulseaudio &&
//     PULSE_SERVER=$SOLFARA_TEST_PULSE_SERVER xvfb-run -a -s -noreset
//     build/bench/startup_footprint_bench build/app [OTHER_APP_DIR]'
// With OTHER_APP_DIR (an older build's app folder) its programs are measured
// in the same run, for a before/after comparison.

#include <QApplication>
#include <QWidget>

#include <X11/Xlib.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int runs = 5;
constexpr auto settleTime = std::chrono::seconds(2);
constexpr auto mapTimeout = std::chrono::seconds(15);

struct Start {
    double toWindowMs = -1; // -1: no window appeared
    double peakMiB = 0;
};

// Waits for the next top-level window to be mapped on the display.
bool waitForMap(Display* display, Clock::time_point deadline)
{
    while (Clock::now() < deadline) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect)
                return true;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return false;
}

Start startOnce(Display* display, const std::vector<std::string>& command)
{
    XSync(display, True); // forget earlier events
    const auto begin = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        std::vector<char*> argv;
        for (const auto& word : command)
            argv.push_back(const_cast<char*>(word.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    Start start;
    if (waitForMap(display, begin + mapTimeout))
        start.toWindowMs = std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
    std::this_thread::sleep_for(settleTime);
    kill(child, SIGTERM);
    int status = 0;
    rusage usage{};
    // A program held up by a message box may not end at once: give it a
    // moment, then end it for good.
    for (int i = 0; i < 30 && wait4(child, &status, WNOHANG, &usage) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (usage.ru_maxrss == 0) {
        kill(child, SIGKILL);
        wait4(child, &status, 0, &usage);
    }
    start.peakMiB = usage.ru_maxrss / 1024.0;
    return start;
}

void measure(Display* display, const char* label, const std::vector<std::string>& command,
             double bareMs)
{
    if (!std::filesystem::exists(command.front()))
        return;
    std::vector<double> times;
    double peak = 0;
    for (int i = 0; i < runs; ++i) {
        Start start = startOnce(display, command);
        if (start.toWindowMs < 0) {
            std::printf("%-40s no window appeared\n", label);
            return;
        }
        times.push_back(start.toWindowMs);
        peak = std::max(peak, start.peakMiB);
    }
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    std::printf("%-40s to window %7.1f ms", label, median);
    if (bareMs > 0)
        std::printf(" (%4.1f x bare)", median / bareMs);
    std::printf("  peak RSS %6.1f MiB\n", peak);
}

double bareWindowMs(Display* display, const std::string& self)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(startOnce(display, {self, "--bare-window"}).toWindowMs);
    std::sort(times.begin(), times.end());
    std::printf("%-40s to window %7.1f ms\n", "bare Qt window", times[times.size() / 2]);
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc > 1 && std::string(argv[1]) == "--bare-window") {
        QApplication app(argc, argv);
        QWidget window;
        window.resize(400, 220);
        window.show();
        return app.exec();
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s APP_DIR [OTHER_APP_DIR]\n", argv[0]);
        return 2;
    }
    setvbuf(stdout, nullptr, _IOLBF, 0);
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display (run it under xvfb-run)\n");
        return 1;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);

    const std::string self = std::filesystem::canonical("/proc/self/exe");
    const std::string dataDir = std::filesystem::temp_directory_path() / "startup_footprint_data";
    std::filesystem::create_directories(dataDir);
    const double bare = bareWindowMs(display, self);
    const std::vector<std::pair<std::string, std::string>> soundFonts = {
        {"TimGM6mb", "/usr/share/sounds/sf2/TimGM6mb.sf2"},
        {"FluidR3", "/usr/share/sounds/sf2/FluidR3_GM.sf2"}};
    for (int dir = 1; dir < argc; ++dir) {
        const std::string apps = argv[dir];
        std::printf("%s:\n", apps.c_str());
        for (const auto& [name, file] : soundFonts) {
            if (!std::filesystem::exists(file))
                continue;
            measure(display, ("  beatwise, " + name).c_str(),
                    {apps + "/beatwise/beatwise", "--soundfont", file}, bare);
            measure(display, ("  solfara, " + name).c_str(),
                    {apps + "/solfara/solfara", "--soundfont", file, "--data-dir", dataDir}, bare);
        }
    }
    XCloseDisplay(display);
    return 0;
}
