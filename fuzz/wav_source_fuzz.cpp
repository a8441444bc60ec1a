// Any bytes as a recording (--audio-input, --detect): opening either fails
// with a reason or gives a usable rate, and reading runs to the end.
#include "fuzz/scratch_file.h"
#include "platform/audio/wav_source.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto file = writeScratchFile("recording.wav", data, size).string();
    std::string error;
    auto source = WavSource::open(file, error);
    requireProperty(source != nullptr || !error.empty(), "a refused recording says why");
    if (!source)
        return 0;
    requireProperty(source->sampleRate() >= 1000 && source->sampleRate() <= 768000,
                    "an opened recording has a usable sample rate");
    std::vector<float> block(700);
    while (source->read(block.data(), block.size()) > 0) {
    }
    // The --detect path: the whole file converted as the microphone delivers it.
    std::string captureError;
    readCaptureSamples(file, captureError);
    requireProperty(captureError.empty(), "a recording that opened once converts");
    return 0;
}
