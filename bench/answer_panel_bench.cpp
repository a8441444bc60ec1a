// How long a press on the drawn piano or guitar takes to reach the MIDI output (note-on sent)
// and to show the pressed key in the window's back buffer.
//   build/bench/answer_panel_bench
//   build/bench/answer_panel_bench --pictures DIR   (writes piano.png and guitar.png: the
//                                                    staff panel with a key and a string held)
#include "midi/midi_out.h"
#include "platform/clock/clock.h"
#include "platform/testing/midi_recording.h"
#include "render/mode_selector.h"
#include "render/staff_panel.h"
#include "solfara/guitar_panel.h"
#include "solfara/piano_panel.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>

namespace {

using Micros = std::chrono::duration<double, std::micro>;
using Steady = std::chrono::steady_clock;

double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    auto index = static_cast<std::size_t>(p * double(values.size() - 1) + 0.5);
    return values[index];
}

// The main window's back buffer with the staff panel and the answer panel drawn, and the
// program's MIDI output writing to a recording port.
struct Window {
    QImage image{500, 494, QImage::Format_RGB32};
    gdi::Canvas dc{image};
    ColourTable colours = fillColours();
    NoteBitmaps art = loadNoteBitmaps();
    SteadyClock clock;
    RecordingMidiOutputSystem system{{}, clock};
    MidiOut midiOut{system};
    MidiOut* sink = &midiOut;
    StaffLayout layout;

    Window() { static_cast<void>(midiOut.reopen(-1)); }

    template <typename Panel> void drawWith(Panel& panel, AnswerMode mode)
    {
        image.fill(colours[colour::windowBackground]);
        layout =
            drawStaffPanel(dc, colours, art, {.answerMode = mode},
                           [&](gdi::Canvas& c, const StaffLayout&, AnswerMode) { panel.draw(c); });
        drawModeSelector(dc, colours);
    }

    PanelContext due(int note, Accidental accidental)
    {
        return {{}, DueNote{note, accidental, layout.firstNoteX, layout.answerStaffBase}};
    }
};

// Presses (x, y), one after another in `points`, and releases each; counts the time from
// the press to the note-on's arrival at the port and to the return of the press (the key
// and the staff marker drawn).
template <typename Panel>
void measurePresses(benchmark::State& state, Window& w, Panel& panel,
                    const std::vector<QPoint>& points)
{
    std::vector<double> toNoteOn, toDrawn;
    std::size_t next = 0;
    for (auto _ : state) {
        const QPoint p = points[next++ % points.size()];
        w.system.recording()->clear();
        const auto start = Steady::now();
        panel.pressAt(w.dc, p.x(), p.y(), w.due(24, Accidental::None));
        const auto drawn = Steady::now();
        state.PauseTiming();
        for (const auto& m : w.system.recording()->messages())
            if (m.status() == 0x90)
                toNoteOn.push_back(Micros(m.arrival - start).count());
        toDrawn.push_back(Micros(drawn - start).count());
        panel.release(w.dc);
        state.ResumeTiming();
    }
    state.counters["noteOn_median_us"] = percentile(toNoteOn, 0.5);
    state.counters["noteOn_p99_us"] = percentile(toNoteOn, 0.99);
    state.counters["drawn_median_us"] = percentile(toDrawn, 0.5);
    state.counters["drawn_p99_us"] = percentile(toDrawn, 0.99);
}

void BM_PianoPress(benchmark::State& state)
{
    Window w;
    PianoKeyboard keyboard(KeyboardGeometry::mainWindow(), w.sink, w.art, w.colours);
    w.drawWith(keyboard, AnswerMode::Piano);
    std::vector<QPoint> points; // every white key low, every boundary high
    for (int x = 83; x < 418; x += 6)
        points.push_back({x, x % 12 < 6 ? 430 : 400});
    measurePresses(state, w, keyboard, points);
}
BENCHMARK(BM_PianoPress)->Unit(benchmark::kMicrosecond)->Iterations(5000);

void BM_GuitarPress(benchmark::State& state)
{
    Window w;
    GuitarFretboard neck(FretboardGeometry::mainWindow(), w.sink, w.art, w.colours);
    w.drawWith(neck, AnswerMode::Guitar);
    std::vector<QPoint> points;
    for (int s = 0; s < 6; ++s)
        for (int x = 125; x < 377; x += 20)
            points.push_back({x, 391 + 10 * s + 3});
    measurePresses(state, w, neck, points);
}
BENCHMARK(BM_GuitarPress)->Unit(benchmark::kMicrosecond)->Iterations(5000);

// The pictures to look at: the piano with F#4 held against a due note spelled flat (a Gb on
// the staff), the guitar with the G string's third fret held, the selector lit on "piano".
int writePictures(const std::string& dir)
{
    Window w;
    PianoKeyboard keyboard(KeyboardGeometry::mainWindow(), w.sink, w.art, w.colours);
    w.drawWith(keyboard, AnswerMode::Piano);
    keyboard.pressAt(w.dc, 82 + 12 * 18, 400,
                     w.due(30, Accidental::Flat)); // boundary F|G, upper half
    drawModeSelector(w.dc, w.colours, ModeBand::Piano);
    bool ok = w.image.save(QString::fromStdString(dir + "/piano.png"));

    GuitarFretboard neck(FretboardGeometry::mainWindow(), w.sink, w.art, w.colours);
    w.drawWith(neck, AnswerMode::Guitar);
    neck.pressAt(w.dc, 122 + 80, 391 + 23, w.due(22, Accidental::Flat));
    ok = w.image.save(QString::fromStdString(dir + "/guitar.png")) && ok;
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--pictures") == 0)
        return writePictures(argv[2]);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
