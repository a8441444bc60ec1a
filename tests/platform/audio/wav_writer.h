#pragma once

#include <sndfile.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

// Writes `seconds` of a sine of `frequency` Hz (peak `amplitude`, 0..1) to a
// sound file in the given libsndfile format, the same on every channel.
inline bool writeSineFile(const std::string& path, int format, int rate, int channels,
                          double frequency, double seconds, double amplitude = 0.5)
{
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file)
        return false;
    const long frames = std::lround(seconds * rate);
    std::vector<double> data(std::size_t(frames) * channels);
    for (long i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            data[std::size_t(i) * channels + c] =
                amplitude * std::sin(2 * std::numbers::pi * frequency * double(i) / rate);
    sf_writef_double(file, data.data(), frames);
    sf_close(file);
    return true;
}
