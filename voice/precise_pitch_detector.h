#pragma once

#include "voice/block_gate.h"
#include "voice/note_detector.h"

#include <array>

// Names the sung note from the period of the waveform rather than from its
// strongest partial (McLeod's method): the normalised square difference of
// the last 1024 samples of each block with itself shifted by every lag of
// the singing range, computed through the autocorrelation of a 2048-point
// transform. Of the highest points of its positive lobes, the first (the
// shortest period) that reaches `octaveRatio` of the highest is the period,
// refined between samples by a parabola: so a strong second or third partial
// does not lift the note by an octave, and a missing fundamental is still
// heard. The height of that peak is the block's clarity; below
// `clarityThreshold` (breath, noise, unvoiced consonants, a window across two
// notes) the block counts as silent, so the marker does not wander between
// notes. It always asks for 1024-sample blocks (93 ms), low voices included.
// The Precise detector.
class PrecisePitchDetector : public NoteDetector {
public:
    static constexpr int windowLength = 1024;
    static constexpr double octaveRatio = 0.9;
    static constexpr double clarityThreshold = 0.6;

    PrecisePitchDetector();

    // Analyses the last `windowLength` samples of `block` (a shorter block is
    // padded with silence).
    DetectionResult analyseBlock(std::span<const std::uint8_t> block,
                                 const DetectorSettings& settings, const PeriodTable& periodTable,
                                 int dueNote) override;
    int blockLength() const override { return windowLength; }
    int pitchEstimate() const override { return pitchEstimate_; }

    void requestSkip() override { gate_.requestSkip(); }
    bool skipRequested() const override { return gate_.skipRequested(); }

    // Of the last block that got past the silence filter: its period in
    // samples (0 when it had no clear one) and its clarity, 0..1.
    double period() const { return period_; }
    double clarity() const { return clarity_; }

private:
    static constexpr int transformSize = 2 * windowLength;

    int convertSamples(std::span<const std::uint8_t> block, int gain);
    void differenceFunction(int lastLag);
    void findPeriod(const PeriodTable& periodTable);

    std::array<double, windowLength> window_{};
    std::array<double, transformSize> re_{};
    std::array<double, transformSize> im_{};
    std::array<double, transformSize> power_{};
    // The normalised square difference function, 1 at lag 0.
    std::array<double, windowLength> nsdf_{};
    double period_ = 0;
    double clarity_ = 0;
    int pitchEstimate_ = 0;
    BlockGate gate_;
};
