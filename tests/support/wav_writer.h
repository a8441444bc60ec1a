#pragma once

#include <sndfile.h>

#include <string>
#include <vector>

// Writes `mono` to a sound file in a libsndfile format, the same on every channel.
inline bool writeSoundFile(const std::string& path, int format, int rate, int channels,
                           const std::vector<float>& mono)
{
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file)
        return false;
    std::vector<float> frames;
    for (float s : mono)
        frames.insert(frames.end(), std::size_t(channels), s);
    sf_writef_float(file, frames.data(), sf_count_t(mono.size()));
    return sf_close(file) == 0;
}
