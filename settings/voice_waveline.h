#pragma once

#include "platform/gdi/back_buffered_widget.h"

#include <cstdint>
#include <span>
#include <vector>

// The live voice waveform of the Sound page, drawn from one microphone block
// into `area` of the canvas:
//  - the whole area black;
//  - the filter band in dark grey (64, 64, 64), full width, centred on the
//    middle row (top + height / 2), reaching h * filter / 128 above and below
//    it (h = height / 2);
//  - for each column x the sample x as one cyan pixel, d = v * h / 128 *
//    gain / 128 rows above the middle (v the signed sample value); samples
//    with d = 0 are not drawn, so silence leaves only the band.
// `gain` and `filter` are the `micVol` and `micFilter` settings, taken as
// 0..128 whatever their stored value.
void drawVoiceWaveline(gdi::Canvas& canvas, const QRect& area,
                       std::span<const std::uint8_t> samples, int gain, int filter);

inline constexpr gdi::Colour kFilterBandColour = gdi::rgb(64, 64, 64);
inline constexpr gdi::Colour kWavelineColour = gdi::rgb(0, 255, 255);

// The black frame on the Sound page that shows the waveform. It is black
// until the first block arrives and keeps the last block drawn.
class VoiceWavelineView : public gdi::BackBufferedWidget {
public:
    explicit VoiceWavelineView(QWidget* parent = nullptr);

    void showBlock(std::span<const std::uint8_t> samples, int gain, int filter);

protected:
    void paintWindow(gdi::Canvas& canvas) override;
};
