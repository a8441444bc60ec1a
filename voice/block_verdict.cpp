#include "voice/block_verdict.h"

BlockVerdict analyseAndJudge(NoteDetector& detector, SungNoteJudge& judge,
                             std::span<const std::uint8_t> block, const DetectorSettings& settings,
                             const PeriodTable& periodTable, int dueNote, int cycles)
{
    BlockVerdict verdict;
    verdict.detection = detector.analyseBlock(block, settings, periodTable, dueNote);
    if (verdict.detection.outcome != BlockOutcome::note)
        return verdict;
    if (verdict.detection.skipped)
        judge.acceptNextMatch(cycles);
    verdict.accepted = judge.judge(verdict.detection.sungNote, dueNote, cycles);
    return verdict;
}
