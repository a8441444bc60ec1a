#pragma once

#include "voice/note_detector.h"

// Decides when the due note counts as sung: it must be heard in `cycles` + 1
// analysed blocks with no other note in between. Silent blocks are not
// judged, so they neither count nor break the run. Owns `holdCount`.
class SungNoteJudge {
public:
    // Judges one analysed block; true when the due note is accepted now.
    bool judge(int sungNote, int dueNote, int cycles)
    {
        if (sungNote != dueNote) {
            holdCount_ = 0;
            return false;
        }
        if (holdCount_ < cycles) {
            ++holdCount_;
            return false;
        }
        holdCount_ = 0;
        return true;
    }

    // Judges what the detector made of one block: silence changes nothing, a
    // block the space bar turned into the due note is accepted at once.
    bool judgeBlock(const DetectionResult& detection, int dueNote, int cycles)
    {
        if (detection.outcome != BlockOutcome::Note)
            return false;
        if (detection.skipped)
            holdCount_ = cycles;
        return judge(detection.sungNote, dueNote, cycles);
    }

    void reset() { holdCount_ = 0; }
    int holdCount() const { return holdCount_; }

private:
    int holdCount_ = 0;
};
