#include "voice/detect_command.h"

#include "platform/audio/wav_source.h"
#include "voice/recording_detection.h"

#include <ostream>

int printRecordingDetection(const std::string& path, std::ostream& out, std::ostream& err,
                            DetectorKind kind)
{
    std::string error;
    const std::vector<std::uint8_t> samples = readCaptureSamples(path, error);
    if (!error.empty()) {
        err << "solfara: " << error << "\n";
        return 1;
    }
    const PeriodTable table = buildPeriodTable(440);
    const auto detector = makeNoteDetector(kind);
    for (const DetectedBlock& block : detectBlocks(samples, DetectorSettings{}, table, *detector))
        out << describeBlock(block) << "\n";
    return 0;
}
