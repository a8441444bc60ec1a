#pragma once

#include "voice/detector_kind.h"
#include "voice/note_detector.h"

#include <memory>

// The detector of the user's choice, which can change while the trainer runs
// (the settings sheet's OK): a new detector of the chosen kind takes over
// from the next block. A change to the kind in use keeps the detector and
// its state.
class SelectedNoteDetector final : public NoteDetector {
public:
    explicit SelectedNoteDetector(DetectorKind kind);

    void select(DetectorKind kind);
    DetectorKind kind() const { return kind_; }

    DetectionResult analyseBlock(std::span<const std::uint8_t> block,
                                 const DetectorSettings& settings, const PeriodTable& periodTable,
                                 std::optional<int> skipTo) override
    {
        return detector_->analyseBlock(block, settings, periodTable, skipTo);
    }
    int blockLength() const override { return detector_->blockLength(); }

private:
    DetectorKind kind_;
    std::unique_ptr<NoteDetector> detector_;
};
