#pragma once

// Decides when the due note counts as sung: it must be heard in `cycles` + 1
// analysed blocks with no other note in between. Silent blocks are not
// judged, so they neither count nor break the run.
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

    // The skip request: the next matching block is accepted at once.
    void acceptNextMatch(int cycles) { holdCount_ = cycles; }

    void reset() { holdCount_ = 0; }
    int holdCount() const { return holdCount_; }

private:
    int holdCount_ = 0;
};
