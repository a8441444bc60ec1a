#include "voice/sung_note_judge.h"

#include "voice/cents.h"

#include <cmath>
#include <vector>

bool SungNoteJudge::judge(int sungNote, int dueNote, int cycles, std::optional<double> cents)
{
    if (sungNote != dueNote) {
        reset();
        return false;
    }
    heldCents_.push_back(cents);
    while (heldCents_.size() > std::size_t(std::max(cycles, 0) + 1))
        heldCents_.pop_front();
    if (holdCount_ < cycles) {
        ++holdCount_;
        return false;
    }
    if (!heldInTune())
        return false; // held long enough, not yet in tune: the run slides on
    reset();
    return true;
}

bool SungNoteJudge::judgeBlock(const DetectionResult& detection, int dueNote, int cycles,
                               std::optional<double> cents)
{
    if (detection.outcome != BlockOutcome::Note)
        return false;
    if (detection.skipped) {
        reset();
        return detection.sungNote == dueNote;
    }
    return judge(detection.sungNote, dueNote, cycles, cents);
}

void SungNoteJudge::reset()
{
    holdCount_ = 0;
    heldCents_.clear();
}

bool SungNoteJudge::heldInTune() const
{
    if (!toleranceCents_)
        return true;
    std::vector<double> measured;
    for (const std::optional<double>& c : heldCents_)
        if (c)
            measured.push_back(*c);
    return measured.empty() || std::abs(heldPitchCents(measured)) <= *toleranceCents_;
}
