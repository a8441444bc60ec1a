#pragma once

#include "voice/note_detector.h"

#include <optional>

// What every detector does around naming a pitch: the silence filter and the
// count of silent blocks after which the pitch marker is erased. The space
// bar's skip comes with the block as the note it is to read as.
class BlockGate {
public:
    // A block is silent when the microphone is muted, or when no raw sample
    // (before the gain) exceeds `micFilter` and no skip came with it.
    static bool isSilent(int largestSample, const DetectorSettings& settings,
                         std::optional<int> skipTo)
    {
        return settings.micMuted || (largestSample <= settings.micFilter && !skipTo);
    }

    // A silent block: the fifth in a row erases the marker and starts the count again.
    DetectionResult silentBlock();
    // A heard block naming `sungNote`, or `skipTo` when the space bar made it
    // the due note.
    DetectionResult heardBlock(int sungNote, std::optional<int> skipTo);

    int silentBlocks() const { return silentBlocks_; }

private:
    int silentBlocks_ = 0;
};
