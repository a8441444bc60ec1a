// The settings sheet: time from the Settings click to the dialog's first
// painted frame, and the live waveline's cost per microphone block.
//
//   settings_bench                      run the benchmarks
//   settings_bench --preview PREFIX     save each tab as PREFIX-<tab>.png (look at the layout)
#include "midi/midi_out.h"
#include "settings/settings_sheet.h"
#include "settings/voice_waveline.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QTabWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// A data directory with the shipped timbre names, and a context over it.
struct SheetFixture {
    QTemporaryDir dir;
    ScaleList scales = builtInScales();
    NoMidiOutputSystem midiSystem;
    MidiOut midiOut{midiSystem};
    SettingsSheetContext context;

    SheetFixture()
    {
        std::filesystem::copy_file(std::filesystem::path(SOLFARA_SOURCE_DIR) /
                                       "resources/midpatch.h",
                                   std::filesystem::path(dir.path().toStdString()) / "midpatch.h");
        context.scales = &scales;
        context.midiDeviceNames = {"Keyboard", "Midi Mapper"};
        context.midiOut = &midiOut;
        context.dataDirectory = dir.path().toStdString();
        context.refreshScaleBits = [](int) {};
        context.listenToMicrophone = [](MicrophoneBlockSink) {};
    }
};

// Notices the first paint of a widget.
class FirstPaint : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

// From making the sheet to its first painted frame, as a click on Settings
// would open it.
void openSheetToFirstFrame(benchmark::State& state)
{
    SheetFixture fixture;
    const auto tab = SheetTab(state.range(0));
    for (auto _ : state) {
        SettingsSheet sheet(fixture.context, tab);
        FirstPaint watcher;
        sheet.installEventFilter(&watcher);
        sheet.show();
        while (!watcher.painted)
            QApplication::processEvents();
        state.PauseTiming();
        sheet.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(openSheetToFirstFrame)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);

std::array<std::uint8_t, 2048> sineBlock()
{
    std::array<std::uint8_t, 2048> block{};
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = std::uint8_t(128 + 100 * std::sin(double(i) * 0.25));
    return block;
}

// Drawing one block into the waveline's back buffer.
void wavelineDrawPerBlock(benchmark::State& state)
{
    QImage image(117, 117, QImage::Format_RGB32);
    gdi::Canvas canvas(image);
    const auto block = sineBlock();
    for (auto _ : state)
        drawVoiceWaveline(canvas, image.rect(), block, 63, 10);
}
BENCHMARK(wavelineDrawPerBlock)->Unit(benchmark::kMicrosecond);

// One block through the shown waveline, up to its repaint on the screen.
void wavelineShownPerBlock(benchmark::State& state)
{
    VoiceWavelineView view;
    view.resize(117, 117);
    view.show();
    QApplication::processEvents();
    const auto block = sineBlock();
    for (auto _ : state) {
        view.showBlock(block, 63, 10);
        QApplication::processEvents();
    }
}
BENCHMARK(wavelineShownPerBlock)->Unit(benchmark::kMicrosecond);

int preview(const QString& prefix)
{
    SheetFixture fixture;
    SettingsSheet sheet(fixture.context, SheetTab::General);
    sheet.show();
    const std::array<const char*, 4> names = {"general", "scales", "sound", "custom"};
    for (int tab = 1; tab <= 4; ++tab) {
        sheet.showTab(SheetTab(tab));
        QApplication::processEvents();
        sheet.grab().save(prefix + "-" + names[tab - 1] + ".png");
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    if (argc == 3 && std::string(argv[1]) == "--preview")
        return preview(argv[2]);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
