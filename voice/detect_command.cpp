#include "voice/detect_command.h"

#include "platform/audio/wav_source.h"
#include "voice/recording_detection.h"

#include <ostream>

int printRecordingDetection(const std::string& path, std::ostream& out, std::ostream& err)
{
    std::string error;
    const std::vector<std::uint8_t> samples = readCaptureSamples(path, error);
    if (!error.empty()) {
        err << "solfara: " << error << "\n";
        return 1;
    }
    const PeriodTable table = buildPeriodTable(440);
    for (const DetectedBlock& block : detectBlocks(samples, DetectorSettings{}, table))
        out << describeBlock(block) << "\n";
    return 0;
}
