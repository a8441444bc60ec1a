#pragma once

#include "platform/audio/sound_level.h"
#include "platform/gdi/back_buffered_widget.h"
#include "voice/microphone_check.h"

// What the level meter beside the voice waveline shows.
struct LevelMeterReading {
    SoundLevel level;
    LevelVerdict verdict = LevelVerdict::Silence;
    bool clipLit = false; // a clip was heard a moment ago
};

// The meter, drawn into `area` of the canvas on black:
//  - a scale from -60 dBFS (left) to 0 dBFS (right edge of the bar), the
//    good band of a voice's peaks (-30 to -6 dBFS) marked in dark green;
//  - the RMS as a bar in the verdict's colour (grey for silence, yellow too
//    quiet, green good, red clipping) and the peak as a white tick;
//  - the clip lamp at the right end, lit red while `clipLit`;
//  - below, the figures ("-12 dB peak  -20 rms"), or "too quiet" and
//    "clipping" in their colours.
void drawLevelMeter(gdi::Canvas& canvas, const QRect& area, const LevelMeterReading& reading);

inline constexpr float kMeterFloorDbfs = -60.0f;
inline constexpr gdi::Colour kGoodBandColour = gdi::rgb(0, 72, 0);
inline constexpr gdi::Colour kClipLampColour = gdi::rgb(255, 0, 0);
inline constexpr gdi::Colour kClipLampDarkColour = gdi::rgb(72, 0, 0);

// The bar's part of the meter's area: two fifths of its height from the top
// (less a margin), the clip lamp a square of that height at its right.
QRect levelMeterBar(const QRect& area);
// The column of the bar that stands for `dbfs` (clamped to the scale).
int meterColumn(const QRect& bar, float dbfs);

class LevelMeterView : public gdi::BackBufferedWidget {
public:
    explicit LevelMeterView(QWidget* parent = nullptr);
    void showReading(const LevelMeterReading& reading);

protected:
    void paintWindow(gdi::Canvas& canvas) override;
};
