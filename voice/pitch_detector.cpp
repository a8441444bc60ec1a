#include "voice/pitch_detector.h"

#include "voice/fft_tables.h"
#include "voice/radix2_transform.h"
#include "voice/sample_conversion.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int silentBlocksBeforeErase = 4;
// Below this note index the next block is the long one.
constexpr int longBlockBelowNote = 18;
constexpr int highestNote = periodTableSize - 1;

} // namespace

PitchDetector::PitchDetector()
{
    // Build both transform tables now rather than on the first block.
    fftTablesForStages(10);
    fftTablesForStages(11);
}

DetectionResult PitchDetector::analyseBlock(std::span<const std::uint8_t> block,
                                            const DetectorSettings& settings,
                                            const PeriodTable& periodTable,
                                            std::optional<int> skipTo)
{
    convertSamples(block, settings.micVol);

    // The threshold applies to the raw sample value, before the gain.
    const bool silent = settings.micMuted || (blockPeak_ <= settings.micFilter && !skipTo);
    DetectionResult result;
    if (silent) {
        if (silentBlocks_ == silentBlocksBeforeErase) {
            silentBlocks_ = 0;
            result.outcome = BlockOutcome::silentEraseMarker;
        } else {
            ++silentBlocks_;
            result.outcome = BlockOutcome::silent;
        }
        chooseNextBlockLength();
        return result;
    }

    silentBlocks_ = 0;
    radix2Transform(re_.data(), im_.data(), fftTablesForStages(fftStages_));
    const int best = strongestBin();
    const double period = best == 0 ? periodTable[0] : double(fftSize_) / best;

    result.outcome = BlockOutcome::note;
    result.peakBin = best;
    result.sungNote = noteOfPeriod(period, periodTable, settings.transpose);
    if (skipTo) {
        result.sungNote = *skipTo;
        result.skipped = true;
    }
    pitchEstimate_ = result.sungNote;
    chooseNextBlockLength();
    return result;
}

void PitchDetector::convertSamples(std::span<const std::uint8_t> block, int gain)
{
    const int n = fftSize_;
    int largest = 0;
    for (int i = 0; i < n; ++i) {
        const int v = i < int(block.size()) ? signedSampleValue(block[i]) : 0;
        largest = std::max(largest, v);
        // Real and imaginary parts alike: the transform is that of (1 + j) x.
        const double x = double(v) / n * gain / 63;
        re_[i] = x;
        im_[i] = x;
    }
    blockPeak_ = largest;
}

int PitchDetector::strongestBin()
{
    // Bins from about 64.6 Hz to about 1045 Hz.
    const int lowest = fftSize_ == 1024 ? 6 : 12;
    const int highest = fftSize_ == 1024 ? 97 : 195;
    const auto& reversal = fftTablesForStages(fftStages_).bitReversal;
    blockPeak_ = 0.0;
    int best = 0;
    for (int m = lowest; m <= highest; ++m) {
        const std::uint32_t p = reversal[m];
        const double magnitude = std::sqrt(re_[p] * re_[p] + im_[p] * im_[p]);
        if (magnitude > blockPeak_) {
            blockPeak_ = magnitude;
            best = m;
        }
    }
    return best;
}

int PitchDetector::noteOfPeriod(double period, const PeriodTable& table, int transpose)
{
    for (int e = 1; e <= highestNote; ++e) {
        if (period > table[e]) {
            // Nearest of the two neighbours; an exact middle goes to the higher note.
            const int n = (period - table[e]) > (table[e - 1] - period) ? e - 1 : e;
            return std::clamp(n - transpose + 24, 0, highestNote);
        }
    }
    // At or above the top of the table: the top note, whatever the transposition.
    return highestNote;
}

void PitchDetector::chooseNextBlockLength()
{
    if (pitchEstimate_ < longBlockBelowNote) {
        fftSize_ = 2048;
        fftStages_ = 11;
    } else {
        fftSize_ = 1024;
        fftStages_ = 10;
    }
}
