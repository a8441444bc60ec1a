#pragma once

#include "voice/note_detector.h"

// What every detector does around naming a pitch: the silence filter, the
// count of silent blocks after which the pitch marker is erased, and the
// space bar's skip request.
class BlockGate {
public:
    // A block is silent when the microphone is muted, or when no raw sample
    // (before the gain) exceeds `micFilter` and no skip is pending.
    bool isSilent(int largestSample, const DetectorSettings& settings) const
    {
        return settings.micMuted || (largestSample <= settings.micFilter && !skipRequest_);
    }

    // A silent block: the fifth in a row erases the marker and starts the count again.
    DetectionResult silentBlock();
    // A heard block naming `sungNote`, or `dueNote` when a skip was pending
    // (the request is then used up).
    DetectionResult heardBlock(int sungNote, int dueNote);

    void requestSkip() { skipRequest_ = true; }
    bool skipRequested() const { return skipRequest_; }
    int silentBlocks() const { return silentBlocks_; }

private:
    int silentBlocks_ = 0;
    bool skipRequest_ = false;
};
