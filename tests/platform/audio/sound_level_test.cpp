#include "platform/audio/internal/capture_converter.h"
#include "platform/audio/sound_level.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

// Sines at known levels through the converter from the device's rate, fed in
// callback-sized pieces: the meter reads them within ±0.5 dB, including far
// below one step of the 8-bit capture format (-42 dBFS).
TEST(SoundLevelMeter, KnownLevelsReadWithinHalfADecibel)
{
    struct Row {
        const char* name;
        int deviceRate;
        double amplitudeDbfs; // of the peak; a sine's RMS is 3.01 dB below
    };
    const Row rows[] = {
        {"loud, at the capture rate", 11025, -3.0},
        {"moderate, resampled from 48 kHz", 48000, -20.0},
        {"faint, resampled from 44.1 kHz", 44100, -45.0},
        {"a room's hum", 48000, -60.0},
    };
    for (const Row& row : rows) {
        SoundLevelMeter meter;
        CaptureConverter converter(
            row.deviceRate, [](std::span<const std::uint8_t>) {}, &meter);
        const double amplitude = std::pow(10.0, row.amplitudeDbfs / 20.0);
        std::vector<float> piece(256);
        for (int done = 0; done < row.deviceRate; done += int(piece.size())) {
            for (std::size_t i = 0; i < piece.size(); ++i)
                piece[i] = float(amplitude * std::sin(2 * std::numbers::pi * 330.0 *
                                                      double(done + int(i)) / row.deviceRate));
            converter.convert(piece.data(), piece.size());
        }
        EXPECT_GE(meter.readings(), 24u) << row.name << ": 25 readings a second";
        const SoundLevel level = meter.latest();
        EXPECT_NEAR(level.peakDbfs, row.amplitudeDbfs, 0.5) << row.name;
        EXPECT_NEAR(level.rmsDbfs, row.amplitudeDbfs - 3.01, 0.5) << row.name;
    }
}

TEST(SoundLevelMeter, SilenceAndOverloadStayInsideTheScale)
{
    SoundLevelMeter meter;
    EXPECT_EQ(meter.latest().peakDbfs, kSilenceDbfs) << "nothing measured yet";
    std::vector<float> silence(SoundLevelMeter::kWindowSamples, 0.0f);
    meter.feed(silence.data(), silence.size());
    EXPECT_EQ(meter.readings(), 1u);
    EXPECT_EQ(meter.latest().peakDbfs, kSilenceDbfs);
    EXPECT_EQ(meter.latest().rmsDbfs, kSilenceDbfs);

    std::vector<float> fullScale(SoundLevelMeter::kWindowSamples, -1.0f);
    meter.feed(fullScale.data(), fullScale.size());
    EXPECT_FLOAT_EQ(meter.latest().peakDbfs, 0.0f);
    EXPECT_FLOAT_EQ(meter.latest().rmsDbfs, 0.0f);
    EXPECT_EQ(dbfsOf(std::nan("")), kSilenceDbfs);
}

} // namespace
