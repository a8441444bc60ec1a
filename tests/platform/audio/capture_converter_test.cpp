#include "platform/audio/capture_converter.h"
#include "tests/platform/audio/capture_samples_test_util.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

std::vector<std::uint8_t> convertSine(int rate, double frequency, double seconds, std::size_t piece)
{
    std::vector<std::uint8_t> out;
    CaptureConverter converter(rate, [&](std::span<const std::uint8_t> samples) {
        out.insert(out.end(), samples.begin(), samples.end());
    });
    EXPECT_TRUE(converter.ok());
    const std::size_t count = std::size_t(seconds * rate);
    std::vector<float> in(count);
    for (std::size_t i = 0; i < count; ++i)
        in[i] = float(0.5 * std::sin(2 * std::numbers::pi * frequency * double(i) / rate));
    for (std::size_t done = 0; done < count; done += piece)
        converter.convert(in.data() + done, std::min(piece, count - done));
    converter.flush();
    return out;
}

TEST(CaptureConverter, QuantisesToUnsignedEightBitsWithClipping)
{
    EXPECT_EQ(CaptureConverter::quantise(0.0f), 128);
    EXPECT_EQ(CaptureConverter::quantise(-1.0f), 0);
    EXPECT_EQ(CaptureConverter::quantise(0.5f), 192);
    EXPECT_EQ(CaptureConverter::quantise(1.0f), 255);
    EXPECT_EQ(CaptureConverter::quantise(3.0f), 255);
    EXPECT_EQ(CaptureConverter::quantise(-3.0f), 0);
}

class ResamplingTest : public testing::TestWithParam<int> {};

TEST_P(ResamplingTest, KeepsPitchLevelAndDurationAtAnyDeviceRate)
{
    const int rate = GetParam();
    // Odd piece sizes, as audio callbacks deliver them.
    auto out = convertSine(rate, 440, 1.0, 333);
    EXPECT_NEAR(double(out.size()), 11025.0, 40.0) << rate;
    std::span<const std::uint8_t> middle(out.data() + 2000, 4096);
    EXPECT_NEAR(toneStrength(middle, 440), 0.5, 0.02);
    EXPECT_LT(toneStrength(middle, 880), 0.01);
}

INSTANTIATE_TEST_SUITE_P(DeviceRates, ResamplingTest,
                         testing::Values(8000, 11025, 16000, 22050, 44100, 48000, 96000));

TEST(CaptureConverter, FiltersOutWhatCannotBeRepresentedAt11025Hz)
{
    // 7 kHz from a 48 kHz device would fold back to 4025 Hz if merely decimated.
    auto out = convertSine(48000, 7000, 1.0, 256);
    std::span<const std::uint8_t> middle(out.data() + 2000, 4096);
    EXPECT_LT(toneStrength(middle, 4025), 0.02);
}

} // namespace
