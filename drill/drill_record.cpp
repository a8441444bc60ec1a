#include "drill/drill_record.h"

#include <cmath>

namespace {

// A block farther than this from the due note belongs to another note (the
// one before, a wrong one): the note as sung starts again after it. A scoop
// from below stays within it.
constexpr double sameNoteCents = 150;

// A quarter of a 1024-sample block at 11025 Hz.
constexpr std::uint32_t quarterMs = 23;

} // namespace

std::optional<DrillIntonation> DrillRecord::intonation() const
{
    std::vector<std::optional<double>> medians;
    for (const NoteRecord& note : notes)
        medians.push_back(note.intonation ? std::optional<double>(note.intonation->median)
                                          : std::nullopt);
    return drillIntonation(medians);
}

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
    readings_.clear();
    fine_.clear();
}

NoteRecord* DrillRecorder::due()
{
    if (!underWay_ || dueIndex_ >= record_.notes.size())
        return nullptr;
    return &record_.notes[dueIndex_];
}

void DrillRecorder::heard(const DetectionResult& detection, int cycles,
                          std::optional<double> centsFromDue, std::uint32_t now,
                          std::span<const double> quarterCents)
{
    NoteRecord* note = due();
    if (!note)
        return;
    const bool heardNote = detection.outcome == BlockOutcome::Note && !detection.skipped;
    // The note as sung starts again after a quiet block, and after the note
    // before still held (a semitone away it would pass for a scoop).
    const bool quiet = detection.outcome != BlockOutcome::Note && !centsFromDue;
    const bool noteBefore = heardNote && note->index > 0 &&
                            detection.sungNote == record_.notes[dueIndex_ - 1].target &&
                            detection.sungNote != note->target;
    if (quiet || noteBefore) {
        readings_.clear();
        fine_.clear();
    }
    const bool nearDue = centsFromDue && std::abs(*centsFromDue) <= sameNoteCents && !noteBefore;
    // A block the detector could not name may still have measured a pitch;
    // the space bar's block is not the singer's.
    if (nearDue && !detection.skipped) {
        if (readings_.empty())
            onset_ = now;
        readings_.push_back({now - onset_, *centsFromDue});
        // Quarter q of the block ended (3 - q) quarters before it arrived.
        for (std::size_t q = 0; q < quarterCents.size(); ++q) {
            const auto before = std::uint32_t((quarterCents.size() - 1 - q) * quarterMs);
            const std::uint32_t after = now - onset_;
            fine_.push_back({after > before ? after - before : 0, quarterCents[q]});
        }
    }
    if (detection.outcome != BlockOutcome::Note)
        return;
    anything_ = true;
    if (!nearDue && !detection.skipped && detection.sungNote != note->target) {
        readings_.clear();
        fine_.clear();
    }
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

const NoteRecord* DrillRecorder::accepted(std::uint32_t now, bool skipped)
{
    NoteRecord* note = due();
    if (!note)
        return nullptr;
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
    if (!skipped)
        note->intonation = noteIntonation(readings_, fine_);
    readings_.clear();
    fine_.clear();
    return note;
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
