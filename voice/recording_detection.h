#pragma once

#include "voice/note_detector.h"

#include <cstdint>
#include <iosfwd>
#include <span>
#include <string>
#include <vector>

// One block of a recording as the detector saw it.
struct DetectedBlock {
    double startSeconds = 0; // where the block begins in the recording
    int length = 0;          // 1024 or 2048 samples
    DetectionResult result;
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
// the note index and its name, e.g. "  0.186  1024  33 A4".
std::string describeBlock(const DetectedBlock& block);
