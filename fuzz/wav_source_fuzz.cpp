// Any bytes as a recording (--audio-input, --detect): opening either fails
// with a reason or gives a usable rate, and reading runs to the end.
#include "fuzz/scratch_file.h"
#include "platform/audio/wav_source.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto file = writeScratchFile("recording.wav", data, size).string();
    auto opened = WavSource::open(file);
    requireProperty(opened.ok() || !opened.message().empty(), "a refused recording says why");
    if (!opened)
        return 0;
    const auto& source = *opened;
    requireProperty(source->sampleRate() >= 1000 && source->sampleRate() <= 768000,
                    "an opened recording has a usable sample rate");
    std::vector<float> block(700);
    while (source->read(block.data(), block.size()) > 0) {
    }
    // The --detect path: the whole file converted as the microphone delivers it.
    requireProperty(readCaptureSamples(file).ok(), "a recording that opened once converts");
    return 0;
}
