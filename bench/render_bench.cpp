// Drawing cost of the main window's parts on the headless canvas.
#include "render/cents_needle.h"
#include "render/note_box.h"
#include "render/note_glyphs.h"
#include "render/staff_panel.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

struct Scene {
    QImage image{500, 494, QImage::Format_RGB32};
    gdi::Canvas dc{image};
    ColourTable colours = fillColours();
    NoteBitmaps art = loadNoteBitmaps();
};

void staffPanel(benchmark::State& state)
{
    Scene scene;
    const StaffPanelSettings settings{
        .answerMode = AnswerMode::Microphone, .keySignature = 15, .noteCount = 13};
    for (auto _ : state)
        benchmark::DoNotOptimize(drawStaffPanel(scene.dc, scene.colours, scene.art, settings));
}
BENCHMARK(staffPanel)->Unit(benchmark::kMicrosecond);

void noteBox(benchmark::State& state)
{
    Scene scene;
    NoteBox box{100, 400, 30, 22};
    for (auto _ : state)
        box.drawBox(scene.dc, scene.colours);
}
BENCHMARK(noteBox)->Unit(benchmark::kMicrosecond);

// The cents needle, redrawn with every analysed block while the singer sings.
void centsNeedle(benchmark::State& state)
{
    Scene scene;
    double cents = -30;
    for (auto _ : state) {
        drawCentsNeedle(scene.dc, scene.colours, cents, 25);
        cents = cents > 30 ? -30 : cents + 7;
    }
}
BENCHMARK(centsNeedle)->Unit(benchmark::kMicrosecond);

void stemmedNoteWithLedgerLines(benchmark::State& state)
{
    Scene scene;
    for (auto _ : state) {
        drawStemmedNote(scene.dc, scene.art, Staff::Melody, 200, 128, false, false);
        drawLedgerLines(scene.dc, ClefCase::Treble, 200, 128, 181 + layoutTop);
    }
}
BENCHMARK(stemmedNoteWithLedgerLines)->Unit(benchmark::kMicrosecond);

void singlePixels(benchmark::State& state)
{
    Scene scene;
    int i = 0;
    for (auto _ : state) {
        for (int k = 0; k < 1000; ++k, ++i)
            scene.dc.setPixel(i % 500, (i / 500) % 494, gdi::white);
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(singlePixels)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
