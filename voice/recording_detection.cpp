#include "voice/recording_detection.h"

#include "music/note_names.h"
#include "voice/pitch_detector.h"

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
    if (block.result.outcome == BlockOutcome::Note)
        std::snprintf(line, sizeof line, "%8.3f  %4d  %2d %s", block.startSeconds, block.length,
                      block.result.sungNote, noteIndexName(block.result.sungNote).c_str());
    else
        std::snprintf(line, sizeof line, "%8.3f  %4d  silent", block.startSeconds, block.length);
    return line;
}
