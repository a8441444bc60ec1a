#include "settings/voice_waveline.h"

#include "voice/sample_conversion.h"

#include <algorithm>

void drawVoiceWaveline(gdi::Canvas& canvas, const QRect& area,
                       std::span<const std::uint8_t> samples, int gain, int filter)
{
    gain = std::clamp(gain, 0, 128);
    filter = std::clamp(filter, 0, 128);
    const int h = area.height() / 2;
    const int middle = area.top() + h;
    canvas.fill(area.left(), area.top(), area.width(), area.height(), gdi::black);
    const int band = (h * filter) >> 7;
    canvas.fill(area.left(), middle - band, area.width(), 2 * band, kFilterBandColour);
    const int columns = std::min<int>(area.width(), int(samples.size()));
    for (int x = 0; x < columns; ++x) {
        const int d = signedSampleValue(samples[x]) * h / 128 * gain / 128;
        const int row = middle - d;
        if (d != 0 && row <= area.bottom()) // a full negative swing reaches one row below
            canvas.setPixel(area.left() + x, row, kWavelineColour);
    }
}

VoiceWavelineView::VoiceWavelineView(QWidget* parent) : gdi::BackBufferedWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void VoiceWavelineView::showBlock(std::span<const std::uint8_t> samples, int gain, int filter)
{
    drawVoiceWaveline(canvas(), rect(), samples, gain, filter);
}

void VoiceWavelineView::paintWindow(gdi::Canvas& canvas)
{
    canvas.fill(0, 0, canvas.width(), canvas.height(), gdi::black);
}
