// Cost of showing a back-buffered window at a whole-number scale: one full repaint (the
// whole 500 × 494 drawing blown up, as after uncovering the window) and one small repaint
// (a 4 × 30 strip, as when the needle moves), at scales 1 to 3. Each repaint runs the
// widget's real paint handler into the offscreen platform's backing store.
#include "platform/gdi/back_buffered_widget.h"

#include <QApplication>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

constexpr QSize drawingSize(500, 494);

struct ScaledWindow {
    gdi::BackBufferedWidget widget{nullptr, drawingSize};

    explicit ScaledWindow(int scale)
    {
        gdi::Canvas& canvas = widget.canvas();
        for (int y = 0; y < drawingSize.height(); y += 2)
            canvas.line(0, y, drawingSize.width(), y, gdi::Pen::solid(gdi::rgb(y % 256, 90, 200)));
        widget.setScale(scale);
        widget.show();
        QApplication::processEvents();
    }
};

void fullRepaint(benchmark::State& state)
{
    ScaledWindow window(static_cast<int>(state.range(0)));
    for (auto _ : state)
        window.widget.repaint();
}
BENCHMARK(fullRepaint)->DenseRange(1, 3)->Unit(benchmark::kMicrosecond);

void needleStripRepaint(benchmark::State& state)
{
    const int scale = static_cast<int>(state.range(0));
    ScaledWindow window(scale);
    for (auto _ : state)
        window.widget.repaint(QRect(200 * scale, 10 * scale, 4 * scale, 30 * scale));
}
BENCHMARK(needleStripRepaint)->DenseRange(1, 3)->Unit(benchmark::kMicrosecond);

// The blit alone: the drawing blown up into an image of the window's size, as the paint
// handler does it, without the platform's flush of the backing store.
void blownUpDrawImage(benchmark::State& state)
{
    const int scale = static_cast<int>(state.range(0));
    ScaledWindow window(scale);
    const QImage& drawing = window.widget.backBuffer();
    QImage target(drawingSize * scale, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&target);
        painter.drawImage(QRect(QPoint(0, 0), drawingSize * scale), drawing, drawing.rect());
    }
}
BENCHMARK(blownUpDrawImage)->DenseRange(1, 3)->Unit(benchmark::kMicrosecond);

} // namespace
