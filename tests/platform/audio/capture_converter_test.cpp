#include "platform/audio/internal/capture_converter.h"
#include "platform/testing/sound_samples.h"

#include <gtest/gtest.h>

namespace {

// One second of a sine at `rate` through the converter, in odd-sized pieces
// as audio callbacks deliver them.
std::vector<std::uint8_t> convertSine(int rate, double frequency)
{
    std::vector<std::uint8_t> out;
    CaptureConverter converter(rate, [&](std::span<const std::uint8_t> samples) {
        out.insert(out.end(), samples.begin(), samples.end());
    });
    EXPECT_TRUE(converter.ok());
    const auto in = sine(frequency, rate, std::size_t(rate));
    for (std::size_t done = 0; done < in.size(); done += 333)
        converter.convert(in.data() + done, std::min<std::size_t>(333, in.size() - done));
    converter.flush();
    return out;
}

TEST(CaptureConverter, QuantisesToUnsignedEightBitsWithClipping)
{
    for (auto [in, out] :
         {std::pair{0.0f, 128}, {-1.0f, 0}, {0.5f, 192}, {1.0f, 255}, {3.0f, 255}, {-3.0f, 0}})
        EXPECT_EQ(CaptureConverter::quantise(in), out) << in;
}

TEST(CaptureConverter, PreservesTheSignalAtAnyDeviceRate)
{
    for (int rate : {8000, 11025, 16000, 22050, 44100, 48000, 96000}) {
        auto out = convertSine(rate, 440);
        EXPECT_NEAR(double(out.size()), 11025.0, 40.0) << rate;
        auto middle = std::span(out).subspan(2000, 4096);
        EXPECT_NEAR(toneStrength(middle, 440), 0.5, 0.02) << rate;
        EXPECT_LT(toneStrength(middle, 880), 0.01) << rate;
    }
}

TEST(CaptureConverter, FiltersOutWhatCannotBeRepresentedAt11025Hz)
{
    // 7 kHz from a 48 kHz device would fold back to 4025 Hz if merely decimated.
    auto out = convertSine(48000, 7000);
    EXPECT_LT(toneStrength(std::span(out).subspan(2000, 4096), 4025), 0.02);
}

} // namespace
