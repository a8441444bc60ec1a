#include "voice/detect_command.h"

#include "platform/audio/wav_source.h"
#include "voice/recording_detection.h"

#include <ostream>

int printRecordingDetection(const std::string& path, std::ostream& out, std::ostream& err)
{
    const Result<std::vector<std::uint8_t>> samples = readCaptureSamples(path);
    if (!samples) {
        err << "solfara: " << samples.message() << "\n";
        return 1;
    }
    const PeriodTable table = buildPeriodTable(440);
    for (const DetectedBlock& block : detectBlocks(*samples, DetectorSettings{}, table))
        out << describeBlock(block) << "\n";
    return 0;
}
