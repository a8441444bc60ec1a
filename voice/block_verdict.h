#pragma once

#include "voice/pitch_detector.h"
#include "voice/sung_note_judge.h"

#include <cstdint>
#include <span>

// One analysed capture block as the main window needs it: what was heard,
// and whether the due note is accepted with it.
struct BlockVerdict {
    DetectionResult detection;
    bool accepted = false;
};

// Runs the detector on `block` and, for a heard note, the judge. A skipped
// block is accepted at once as the due note.
BlockVerdict analyseAndJudge(NoteDetector& detector, SungNoteJudge& judge,
                             std::span<const std::uint8_t> block, const DetectorSettings& settings,
                             const PeriodTable& periodTable, int dueNote, int cycles);
