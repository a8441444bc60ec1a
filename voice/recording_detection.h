#pragma once

#include "voice/note_detector.h"

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <vector>

// One block of a recording as the detector saw it.
struct DetectedBlock {
    double startSeconds = 0; // where the block begins in the recording
    int length = 0;          // 1024 or 2048 samples
    DetectionResult result;
    // For a named note: the signed cents of the block's measured pitch against
    // it (folded by octaves, so an octave the detector got wrong does not
    // read as 1200); nothing when the block had no clear pitch or its pitch
    // lies nearer another note (a window across two notes).
    std::optional<double> cents;
};

// Runs a whole recording (unsigned 8-bit samples at 11025 Hz) through
// `detector` block after block, each block as long as the detector asked for
// after the one before. A last, incomplete block is not analysed.
std::vector<DetectedBlock> detectBlocks(std::span<const std::uint8_t> samples,
                                        const DetectorSettings& settings,
                                        const PeriodTable& periodTable, NoteDetector& detector);
// The same with a fresh Classic detector.
std::vector<DetectedBlock> detectBlocks(std::span<const std::uint8_t> samples,
                                        const DetectorSettings& settings,
                                        const PeriodTable& periodTable);

// "A4" for note index 33: letter name and octave (C2 is note 0).
std::string noteIndexName(int note);

// One line per block: start time in seconds, block length, then "silent" or
// the note index, its name and the cents against it rounded ("+17", "-23",
// "0", "-" without a clear pitch), e.g. "  0.186  1024  33 A4   +17".
std::string describeBlock(const DetectedBlock& block);
