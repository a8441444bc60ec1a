#pragma once

#include "voice/block_gate.h"
#include "voice/note_detector.h"
#include "voice/period_search.h"

#include <array>

// Names the sung note from the period of the waveform rather than from its
// strongest partial (see PeriodSearch), in the last 1024 samples of each
// block and again in each of their halves. When a clear half names another
// note than the whole, the window spans a change of note and the whole
// blends the two: the newer half speaks if it is the clearer, else the block
// counts as silent. When the whole is not clear, a clear newer half speaks
// (a note that began late in the block). A clarity below
// `clarityThreshold` (breath, noise, unvoiced consonants) counts as silence,
// so the marker does not wander between notes. It always asks for
// 1024-sample blocks (93 ms), low voices included. The Precise detector.
class PrecisePitchDetector : public NoteDetector {
public:
    static constexpr int windowLength = 1024;
    static constexpr double clarityThreshold = 0.5;

    PrecisePitchDetector() = default;

    // Analyses the last `windowLength` samples of `block` (a shorter block is
    // padded with silence).
    DetectionResult analyseBlock(std::span<const std::uint8_t> block,
                                 const DetectorSettings& settings, const PeriodTable& periodTable,
                                 std::optional<int> skipTo) override;
    int blockLength() const override { return windowLength; }
    // The note of the last analysed, non-silent block.
    int pitchEstimate() const { return pitchEstimate_; }

    // Of the last block that got past the silence filter: the period the note
    // was named from, in samples (0 when none was clear), and the clarity of
    // the whole window.
    double period() const { return period_; }
    double clarity() const { return clarity_; }

private:
    int convertSamples(std::span<const std::uint8_t> block, int gain);
    // The clear period of the block, or 0.
    double clearPeriod(const PeriodTable& periodTable, int transpose);

    std::array<double, windowLength> window_{};
    PeriodSearch search_;
    double period_ = 0;
    double measuredPeriod_ = 0; // period_ refined for intonation
    double clarity_ = 0;
    int pitchEstimate_ = 0;
    BlockGate gate_;
};
