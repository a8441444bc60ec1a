#include "voice/block_gate.h"

namespace {

constexpr int silentBlocksBeforeErase = 4;

} // namespace

DetectionResult BlockGate::silentBlock()
{
    DetectionResult result;
    if (silentBlocks_ == silentBlocksBeforeErase) {
        silentBlocks_ = 0;
        result.outcome = BlockOutcome::SilentEraseMarker;
    } else {
        ++silentBlocks_;
        result.outcome = BlockOutcome::Silent;
    }
    return result;
}

DetectionResult BlockGate::heardBlock(int sungNote, std::optional<int> skipTo)
{
    silentBlocks_ = 0;
    DetectionResult result;
    result.outcome = BlockOutcome::Note;
    result.sungNote = sungNote;
    if (skipTo) {
        result.sungNote = *skipTo;
        result.skipped = true;
    }
    return result;
}
