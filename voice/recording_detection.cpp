#include "voice/recording_detection.h"

#include "music/note_names.h"
#include "voice/cents.h"
#include "voice/pitch_detector.h"

#include <cmath>
#include <cstdio>

std::vector<DetectedBlock> detectBlocks(std::span<const std::uint8_t> samples,
                                        const DetectorSettings& settings,
                                        const PeriodTable& periodTable, NoteDetector& detector)
{
    std::vector<DetectedBlock> blocks;
    std::size_t start = 0;
    while (start + std::size_t(detector.blockLength()) <= samples.size()) {
        DetectedBlock block;
        block.startSeconds = double(start) / 11025.0;
        block.length = detector.blockLength();
        block.result = detector.analyseBlock(samples.subspan(start, std::size_t(block.length)),
                                             settings, periodTable, std::nullopt);
        if (block.result.outcome == BlockOutcome::Note && block.result.period > 0) {
            const double cents = centsAgainstPitchClass(block.result.period, block.result.sungNote,
                                                        periodTable, settings.transpose);
            // A pitch nearer another note (a window across two notes) is not this note's.
            if (std::abs(cents) <= 50)
                block.cents = cents;
        }
        blocks.push_back(block);
        start += std::size_t(block.length);
    }
    return blocks;
}

std::vector<DetectedBlock> detectBlocks(std::span<const std::uint8_t> samples,
                                        const DetectorSettings& settings,
                                        const PeriodTable& periodTable)
{
    PitchDetector detector;
    return detectBlocks(samples, settings, periodTable, detector);
}

std::string noteIndexName(int note)
{
    std::string name(letterNoteNames().chromaticNames[std::size_t(note % 12)]);
    if (!name.empty() && name.back() == ' ')
        name.pop_back();
    return name + std::to_string(note / 12 + 2);
}

std::string describeBlock(const DetectedBlock& block)
{
    char line[64];
    if (block.result.outcome == BlockOutcome::Note) {
        char cents[8] = "-";
        if (block.cents) {
            // Rounded first, so that -0.4 reads "0" and not "-0".
            const int rounded = int(std::lround(*block.cents));
            std::snprintf(cents, sizeof cents, rounded == 0 ? "%d" : "%+d", rounded);
        }
        std::snprintf(line, sizeof line, "%8.3f  %4d  %2d %-3s %4s", block.startSeconds,
                      block.length, block.result.sungNote,
                      noteIndexName(block.result.sungNote).c_str(), cents);
    } else
        std::snprintf(line, sizeof line, "%8.3f  %4d  silent", block.startSeconds, block.length);
    return line;
}
