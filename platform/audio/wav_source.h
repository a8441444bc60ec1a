#pragma once

#include "base/result.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct sf_private_tag;

// A sound file read as mono: WAV in any common sample format (8, 16, 24 or
// 32-bit integer, 32 or 64-bit float; PCM, extensible) and whatever else
// libsndfile reads. Channels are averaged.
class WavSource {
public:
    // Fails with the reason when the file cannot be opened or holds no sound.
    static Result<std::unique_ptr<WavSource>> open(const std::string& path);
    ~WavSource();
    WavSource(const WavSource&) = delete;
    WavSource& operator=(const WavSource&) = delete;

    int sampleRate() const { return sampleRate_; }
    // Reads up to `count` mono samples (-1..1) into `out`; 0 at the end.
    std::size_t read(float* out, std::size_t count);

private:
    WavSource(sf_private_tag* file, int sampleRate, int channels);

    sf_private_tag* file_;
    int sampleRate_;
    int channels_;
    std::vector<float> interleaved_;
};

// Whether `path` can be read as a recording, and why not.
Status canReadRecording(const std::string& path);

// The whole file in the capture format (unsigned 8-bit, 11025 Hz, mono), as the
// microphone would have delivered it; fails with the reason when unreadable.
Result<std::vector<std::uint8_t>> readCaptureSamples(const std::string& path);
