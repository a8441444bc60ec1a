#pragma once

#include "voice/period_table.h"

#include <array>
#include <cstdint>
#include <span>

// What the detector needs to know about the user's settings for one block.
struct DetectorSettings {
    int micVol = 63;    // gain, 63 = unity (the Sound page's working copy while it shows)
    int micFilter = 10; // silence threshold, compared with the raw sample value
    int transpose = 24; // the sung note is shifted down by transpose - 24
    bool micMuted = false;
};

enum class BlockOutcome {
    silent,            // nothing sung; the pitch marker stays
    silentEraseMarker, // the fifth silent block in a row: remove the pitch marker
    note,              // `sungNote` was heard (or taken from the skip request)
};

struct DetectionResult {
    BlockOutcome outcome = BlockOutcome::silent;
    int sungNote = 0;     // note index 0..48, for BlockOutcome::note
    bool skipped = false; // the space bar made this block the due note
    int peakBin = 0;      // strongest bin of the singing range (0: none)
};

// Turns each block of unsigned 8-bit samples at 11025 Hz into a sung note or
// silence: a radix-2 FFT of the block, the strongest bin between about 65 Hz
// and 1045 Hz, and the note whose period in `periodTable` is nearest the
// bin's. It also chooses the length of the next block: 2048 samples for low
// voices (finer bins), 1024 for the rest. Draws nothing.
class PitchDetector {
public:
    PitchDetector();

    // Analyses one block of `fftSize()` samples (missing samples count as
    // silence, extra ones are ignored). `dueNote` replaces the sung note when a
    // skip was requested.
    DetectionResult analyseBlock(std::span<const std::uint8_t> block,
                                 const DetectorSettings& settings, const PeriodTable& periodTable,
                                 int dueNote);

    // The space bar: the next analysed block counts as the due note, even in silence.
    void requestSkip() { skipRequest_ = true; }
    bool skipRequested() const { return skipRequest_; }

    // Length of the block to queue next: 1024 or 2048 samples, and its log2.
    int fftSize() const { return fftSize_; }
    int fftStages() const { return fftStages_; }
    // The note of the last analysed, non-silent block.
    int pitchEstimate() const { return pitchEstimate_; }
    int silentBlocks() const { return silentBlocks_; }
    // Largest positive sample of the last block, or the strongest magnitude
    // of the last spectrum search.
    double blockPeak() const { return blockPeak_; }

    // The note whose period in `table` is nearest `period` (a period exactly
    // between two notes goes to the higher one), transposed and kept in 0..48.
    static int noteOfPeriod(double period, const PeriodTable& table, int transpose);

private:
    void convertSamples(std::span<const std::uint8_t> block, int gain);
    int strongestBin();
    void chooseNextBlockLength();

    std::array<double, 2048> re_{};
    std::array<double, 2048> im_{};
    int fftSize_ = 2048;
    int fftStages_ = 11;
    int pitchEstimate_ = 0;
    int silentBlocks_ = 0;
    double blockPeak_ = 0.0;
    bool skipRequest_ = false;
};
