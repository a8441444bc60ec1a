#include "voice/pitch_detector.h"

#include "voice/fft_tables.h"
#include "voice/radix2_transform.h"
#include "voice/sample_conversion.h"

#include <algorithm>
#include <cmath>

namespace {

// Below this note index the next block is the long one.
constexpr int longBlockBelowNote = 18;

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
    if (BlockGate::isSilent(int(blockPeak_), settings, skipTo)) {
        chooseNextBlockLength();
        return gate_.silentBlock();
    }

    radix2Transform(re_.data(), im_.data(), fftTablesForStages(fftStages_));
    const int best = strongestBin();
    const double period = best == 0 ? periodTable[0] : double(fftSize_) / best;
    DetectionResult result =
        gate_.heardBlock(noteOfPeriod(period, periodTable, settings.transpose), skipTo);
    result.peakBin = best;
    // Of the samples the transform saw.
    result.period =
        measure_.periodOf(block.first(std::min(block.size(), std::size_t(fftSize_))), periodTable);
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
