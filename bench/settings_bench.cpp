// The settings sheet: time from the Settings click to the dialog's first
// painted frame, and the live waveline's cost per microphone block.
//
//   settings_bench                      run the benchmarks
//   settings_bench --preview PREFIX     save each tab as PREFIX-<tab>.png (look at the layout)
//   settings_bench --show TAB           show the sheet on tab 1..4 for four seconds
//   settings_bench --show-guitar TAB    the same in guitar answer mode (the editor's fretboard)
#include "midi/midi_out.h"
#include "settings/melody_editor_page.h"
#include "settings/scales_page.h"
#include "settings/settings_sheet.h"
#include "settings/voice_waveline.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
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
        const std::filesystem::path data = dir.path().toStdString();
        std::filesystem::copy_file(std::filesystem::path(SOLFARA_SOURCE_DIR) /
                                       "resources/midpatch.h",
                                   data / "midpatch.h");
        // A few melodies for the Custom Melody tab's list.
        std::FILE* melodies = std::fopen((data / "mel.ssc").c_str(), "wb");
        if (melodies) {
            std::fputs(
                "Ode to Joy,64,64,65,67,67,65,64,62,60,60,62,64,64\r\r\nScale,60,62,64\r\r\n",
                melodies);
            std::fclose(melodies);
        }
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

// Makes the sheet as a click on Settings would and runs the event loop until
// the dialog has painted its first frame.
void openToFirstFrame(const SettingsSheetContext& context, SheetTab tab)
{
    SettingsSheet sheet(context, tab);
    FirstPaint watcher;
    sheet.installEventFilter(&watcher);
    sheet.show();
    while (!watcher.painted)
        QApplication::processEvents();
}

void openSheetToFirstFrame(benchmark::State& state)
{
    SheetFixture fixture;
    const auto tab = SheetTab(state.range(0));
    for (auto _ : state)
        openToFirstFrame(fixture.context, tab);
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

// Shows the sheet on one tab for a few seconds, for a screenshot of the real display.
int show(SheetTab tab, int noteName)
{
    SheetFixture fixture;
    fixture.context.settings.noteName = noteName;
    SettingsSheet sheet(fixture.context, tab);
    QTimer::singleShot(4000, &sheet, &QDialog::accept);
    sheet.exec();
    return 0;
}

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
    // The editor with a few notes entered by right clicks on white keys, and the
    // Scales page with C, E and G on.
    auto* editor = sheet.findChild<MelodyEditorPage*>();
    for (int white : {14, 15, 16, 17, 18, 21}) {
        const QPointF at = editor->panelOrigin() + QPoint(12 * white + 6, 32);
        for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, editor->mapToGlobal(at), Qt::RightButton,
                              type == QEvent::MouseButtonPress ? Qt::RightButton : Qt::NoButton,
                              Qt::NoModifier);
            QApplication::sendEvent(editor, &event);
        }
    }
    QApplication::processEvents();
    sheet.grab().save(prefix + "-custom-notes.png");
    auto* scales = sheet.findChild<ScalesPage*>();
    sheet.showTab(SheetTab::Scales);
    for (int key : {0, 4, 7}) {
        const QPointF at = scales->keyRect(key).center();
        QMouseEvent event(QEvent::MouseButtonPress, at, scales->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(scales, &event);
        QMouseEvent up(QEvent::MouseButtonRelease, at, scales->mapToGlobal(at), Qt::LeftButton,
                       Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(scales, &up);
    }
    QApplication::processEvents();
    sheet.grab().save(prefix + "-scales-keys.png");
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
    if (argc == 3 && std::string(argv[1]) == "--show")
        return show(SheetTab(std::clamp(std::atoi(argv[2]), 1, 4)), 0);
    if (argc == 3 && std::string(argv[1]) == "--show-guitar")
        return show(SheetTab(std::clamp(std::atoi(argv[2]), 1, 4)), 1);
    {
        // The first opening of a run also loads fonts and styles.
        SheetFixture fixture;
        const auto start = std::chrono::steady_clock::now();
        openToFirstFrame(fixture.context, SheetTab::General);
        const std::chrono::duration<double, std::milli> cold =
            std::chrono::steady_clock::now() - start;
        std::printf("first opening of the run (cold): %.1f ms\n", cold.count());
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
