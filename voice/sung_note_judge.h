#pragma once

#include "voice/note_detector.h"

#include <deque>
#include <optional>

// Decides when the due note counts as sung: it must be heard in `cycles` + 1
// analysed blocks with no other note in between. Silent blocks are not
// judged, so they neither count nor break the run. Owns `holdCount`.
//
// With a tolerance in cents, the pitch of those held blocks (of the ones with
// a measured pitch; see heldPitchCents) must also lie within it: until it does, the
// run goes on with its oldest block dropped, so a singer who slides into
// tune is accepted as soon as the last `cycles` + 1 blocks are in tune. A run
// with no measured pitch at all is accepted as without a tolerance.
class SungNoteJudge {
public:
    // Nothing: any held note counts, whatever its cents.
    void setTolerance(std::optional<int> cents) { toleranceCents_ = cents; }
    std::optional<int> tolerance() const { return toleranceCents_; }

    // Judges one analysed block that heard `sungNote`, `cents` off the due
    // note when it is the due note; true when the due note is accepted now.
    bool judge(int sungNote, int dueNote, int cycles, std::optional<double> cents = std::nullopt);

    // Judges what the detector made of one block: silence changes nothing, a
    // block the space bar turned into the due note is accepted at once.
    bool judgeBlock(const DetectionResult& detection, int dueNote, int cycles,
                    std::optional<double> cents = std::nullopt);

    void reset();
    int holdCount() const { return holdCount_; }

private:
    bool heldInTune() const;

    int holdCount_ = 0;
    std::optional<int> toleranceCents_;
    std::deque<std::optional<double>> heldCents_; // the run's last `cycles` + 1 blocks
};
