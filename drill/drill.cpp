#include "drill/drill.h"

void Drill::chooseKey(int scale, RandomSource& random)
{
    if (scale == 0)
        keySignature_ = random.Random(14) + 1;
}

void Drill::begin(Melody melody)
{
    melody_ = std::move(melody);
    restart();
}

void Drill::restart()
{
    currentNoteIndex_ = 0;
    judge_.reset();
}

std::optional<int> Drill::dueNote() const
{
    if (finished())
        return std::nullopt;
    return melody_.noteIndex[static_cast<std::size_t>(currentNoteIndex_)];
}

Accidental Drill::dueAccidental() const
{
    if (finished())
        return Accidental::None;
    const Accidental written = melody_.accidental[static_cast<std::size_t>(currentNoteIndex_)];
    return written == Accidental::Natural ? Accidental::None : written;
}

std::optional<int> Drill::skipTo() const
{
    if (!skipRequest_)
        return std::nullopt;
    return dueNote();
}

bool Drill::judgeBlock(const DetectionResult& detection, int cycles, std::optional<double> cents)
{
    // Every analysed block uses the request up, whether a note was due or not.
    if (detection.outcome == BlockOutcome::Note)
        skipRequest_ = false;
    const std::optional<int> due = dueNote();
    if (!due)
        return false;
    return judge_.judgeBlock(detection, *due, cycles, cents);
}

Drill::Acceptance Drill::accept(bool autostart)
{
    if (finished())
        return Acceptance::AlreadyOver;
    if (!isLastNote()) {
        ++currentNoteIndex_;
        return Acceptance::NextNote;
    }
    if (autostart)
        return Acceptance::LastWithBanner;
    ++currentNoteIndex_;
    return Acceptance::LastFinished;
}
