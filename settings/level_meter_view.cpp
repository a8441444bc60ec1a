#include "settings/level_meter_view.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

gdi::Colour verdictColour(LevelVerdict verdict)
{
    switch (verdict) {
    case LevelVerdict::Silence:
        return gdi::rgb(128, 128, 128);
    case LevelVerdict::TooQuiet:
        return gdi::rgb(232, 200, 0);
    case LevelVerdict::Good:
        return gdi::rgb(0, 208, 0);
    case LevelVerdict::Clipping:
        return kClipLampColour;
    }
    return gdi::white;
}

std::string figureOf(float dbfs)
{
    return dbfs <= kMeterFloorDbfs ? "-inf" : std::to_string(int(std::lround(dbfs)));
}

} // namespace

QRect levelMeterBar(const QRect& area)
{
    const int lamp = std::max(4, (area.height() - 4) * 2 / 5);
    return {area.left() + 2, area.top() + 2, area.width() - lamp - 6, lamp};
}

int meterColumn(const QRect& bar, float dbfs)
{
    const float share = std::clamp((dbfs - kMeterFloorDbfs) / -kMeterFloorDbfs, 0.0f, 1.0f);
    return bar.left() + int(std::lround(share * float(bar.width())));
}

void drawLevelMeter(gdi::Canvas& canvas, const QRect& area, const LevelMeterReading& reading)
{
    canvas.fill(area.left(), area.top(), area.width(), area.height(), gdi::black);
    const QRect bar = levelMeterBar(area);
    const int goodLeft = meterColumn(bar, kGoodPeakLowDbfs);
    canvas.fill(goodLeft, bar.top(), meterColumn(bar, kGoodPeakHighDbfs) - goodLeft, bar.height(),
                kGoodBandColour);
    const int rmsEnd = meterColumn(bar, reading.level.rmsDbfs);
    canvas.fill(bar.left(), bar.top() + 1, rmsEnd - bar.left(), bar.height() - 2,
                verdictColour(reading.verdict));
    if (reading.level.peakDbfs > kMeterFloorDbfs)
        canvas.fill(std::min(meterColumn(bar, reading.level.peakDbfs), bar.right()), bar.top(), 1,
                    bar.height(), gdi::white);
    const int lamp = bar.height();
    canvas.fill(area.right() - lamp - 1, bar.top(), lamp, lamp,
                reading.clipLit ? kClipLampColour : kClipLampDarkColour);

    std::string text;
    gdi::Colour colour = gdi::white;
    if (reading.verdict == LevelVerdict::TooQuiet || reading.verdict == LevelVerdict::Clipping) {
        text = reading.verdict == LevelVerdict::TooQuiet ? "too quiet" : "clipping";
        colour = verdictColour(reading.verdict);
    } else {
        text = figureOf(reading.level.peakDbfs) + " dB peak  " + figureOf(reading.level.rmsDbfs) +
               " rms";
    }
    const int textTop = bar.bottom() + 2;
    const int textHeight = std::max(8, area.bottom() - textTop - 1);
    canvas.text(area.left() + 2, textTop, text,
                {.font = {.face = "MS Sans Serif", .height = textHeight}, .colour = colour});
}

LevelMeterView::LevelMeterView(QWidget* parent) : gdi::BackBufferedWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void LevelMeterView::showReading(const LevelMeterReading& reading)
{
    drawLevelMeter(canvas(), rect(), reading);
}

void LevelMeterView::paintWindow(gdi::Canvas& canvas)
{
    drawLevelMeter(canvas, rect(), {});
}
