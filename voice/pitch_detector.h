#pragma once

#include "voice/block_gate.h"
#include "voice/note_detector.h"
#include "voice/period_table.h"
#include "voice/pitch_measure.h"

#include <array>
#include <cstdint>
#include <span>

// Turns each block of unsigned 8-bit samples at 11025 Hz into a sung note or
// silence: a radix-2 FFT of the block, the strongest bin between about 65 Hz
// and 1045 Hz, and the note whose period in `periodTable` is nearest the
// bin's. It also chooses the length of the next block: 2048 samples for low
// voices (finer bins), 1024 for the rest. The Classic detector.
class PitchDetector final : public NoteDetector {
public:
    PitchDetector();

    DetectionResult analyseBlock(std::span<const std::uint8_t> block,
                                 const DetectorSettings& settings, const PeriodTable& periodTable,
                                 std::optional<int> skipTo) override;
    int blockLength() const override { return fftSize_; }

    // Length of the block to queue next: 1024 or 2048 samples, and its log2.
    int fftSize() const { return fftSize_; }
    int fftStages() const { return fftStages_; }
    // The note of the last analysed, non-silent block.
    int pitchEstimate() const { return pitchEstimate_; }
    int silentBlocks() const { return gate_.silentBlocks(); }
    // Largest positive sample of the last block, or the strongest magnitude
    // of the last spectrum search.
    double blockPeak() const { return blockPeak_; }

    // The note whose period in `table` is nearest `period` (a period exactly
    // between two notes goes to the higher one), transposed and kept in 0..48.
    static int noteOfPeriod(double period, const PeriodTable& table, int transpose)
    {
        return ::noteOfPeriod(period, table, transpose);
    }

private:
    void convertSamples(std::span<const std::uint8_t> block, int gain);
    int strongestBin();
    void chooseNextBlockLength();

    std::array<double, 2048> re_{};
    std::array<double, 2048> im_{};
    int fftSize_ = 2048;
    int fftStages_ = 11;
    int pitchEstimate_ = 0;
    double blockPeak_ = 0.0;
    BlockGate gate_;
    PitchMeasure measure_; // the intonation of a named block
};
