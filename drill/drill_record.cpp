#include "drill/drill_record.h"

void DrillRecorder::begin(const Melody& melody, int tonicPitchClass, DrillRecord about,
                          std::uint32_t now)
{
    record_ = std::move(about);
    record_.notes.clear();
    for (int n = 0; n < melody.noteCount; ++n) {
        NoteRecord note;
        note.index = n;
        note.target = melody.noteIndex[std::size_t(n)];
        note.accidental = melody.accidental[std::size_t(n)];
        note.interval = n == 0 ? 0 : note.target - melody.noteIndex[std::size_t(n - 1)];
        note.degree = ((note.target - tonicPitchClass) % 12 + 12) % 12;
        record_.notes.push_back(note);
    }
    underWay_ = true;
    anything_ = false;
    began_ = dueSince_ = now;
    paused_ = false;
    dueIndex_ = 0;
    runNote_ = -1;
    runLength_ = 0;
    wrongHeld_ = false;
}

NoteRecord* DrillRecorder::due()
{
    if (!underWay_ || dueIndex_ >= record_.notes.size())
        return nullptr;
    return &record_.notes[dueIndex_];
}

void DrillRecorder::heard(const DetectionResult& detection, int cycles)
{
    NoteRecord* note = due();
    if (!note || detection.outcome != BlockOutcome::Note)
        return;
    anything_ = true;
    if (detection.sungNote == note->target || detection.skipped) {
        runNote_ = -1;
        runLength_ = 0;
        return;
    }
    if (detection.sungNote % 12 == note->target % 12)
        ++note->octaveBlocks;
    else
        ++note->wrongBlocks;
    runLength_ = detection.sungNote == runNote_ ? runLength_ + 1 : 1;
    runNote_ = detection.sungNote;
    if (runLength_ > cycles)
        wrongHeld_ = true;
}

void DrillRecorder::wrongPress()
{
    if (NoteRecord* note = due()) {
        anything_ = true;
        ++note->wrongPresses;
    }
}

void DrillRecorder::hearStarted(std::uint32_t now)
{
    if (!underWay_)
        return;
    anything_ = true;
    ++record_.hearPresses;
    if (!paused_) {
        paused_ = true;
        pausedSince_ = now;
    }
}

void DrillRecorder::hearEnded(std::uint32_t now)
{
    if (!underWay_ || !paused_)
        return;
    paused_ = false;
    dueSince_ += now - pausedSince_;
}

void DrillRecorder::accepted(std::uint32_t now, bool skipped)
{
    NoteRecord* note = due();
    if (!note)
        return;
    anything_ = true;
    hearEnded(now);
    note->accepted = true;
    note->skipped = skipped;
    note->firstTry = !skipped && !wrongHeld_ && note->wrongPresses == 0;
    note->msToAccept = now - dueSince_;
    dueSince_ = now;
    ++dueIndex_;
    lastAccepted_ = now;
    runNote_ = -1;
    runLength_ = 0;
    wrongHeld_ = false;
}

std::optional<DrillRecord> DrillRecorder::end(std::uint32_t now)
{
    if (!underWay_)
        return std::nullopt;
    underWay_ = false;
    if (!anything_)
        return std::nullopt;
    record_.finished = dueIndex_ >= record_.notes.size();
    // A finished drill lasted until its last note, however late it is ended.
    record_.durationMs = (record_.finished ? lastAccepted_ : now) - began_;
    return std::move(record_);
}
