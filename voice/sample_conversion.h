#pragma once

#include <cstdint>

// The signed value of one unsigned 8-bit capture sample (silence = 128):
// s - 128, except that 255 counts as 0, so values run from -128 to 126.
// Shared by the detector and the Sound page's live waveform.
constexpr int signedSampleValue(std::uint8_t sample)
{
    return sample == 255 ? 0 : int(sample) - 128;
}
