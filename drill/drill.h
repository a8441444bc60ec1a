#pragma once

#include "music/keys.h"
#include "music/melody.h"
#include "music/random_source.h"
#include "music/vocabulary.h"
#include "voice/note_detector.h"
#include "voice/sung_note_judge.h"

#include <algorithm>
#include <optional>

// One drill: the melody to be sung, the note that is due, the key it is in,
// and the run of matching blocks towards accepting the due note. Knows
// nothing of windows or devices; the window draws what it says.
class Drill {
public:
    enum class Acceptance {
        NextNote,       // the due note moved on to the next one
        LastWithBanner, // the melody is complete: banner, then a new drill
        LastFinished,   // the melody is complete and the drill waits for the user
        AlreadyOver,    // nothing was due
    };

    // The key of a new drill: with `scale` 0 a random signature code 1..14,
    // otherwise the one in force stays.
    void chooseKey(int scale, RandomSource& random);
    int keySignature() const { return keySignature_; }
    // The signature in force for `scale` and scale type `mode`: a fixed MAJOR or MINOR
    // key has its own; otherwise the one chosen last stays.
    void settleKey(int scale, ScaleMode mode)
    {
        keySignature_ = keySignatureFor(scale, mode, keySignature_);
    }

    // Starts singing `melody` from its first note.
    void begin(Melody melody);
    // Back to the first note of the same melody.
    void restart();

    const Melody& melody() const { return melody_; }
    int noteCount() const { return melody_.noteCount; }
    // The settings changed under the drill (OK on the sheet): until the next melody is
    // made, its note count is `melosize`, which the staff is drawn for.
    void expectNoteCount(int melosize)
    {
        melody_.noteCount = std::clamp(melosize, kMinMelodyLength, kMaxMelodyLength);
    }
    int currentNoteIndex() const { return currentNoteIndex_; }
    bool finished() const { return currentNoteIndex_ >= melody_.noteCount; }
    bool isLastNote() const { return currentNoteIndex_ == melody_.noteCount - 1; }
    // Note index of the due note; none once the drill is over.
    std::optional<int> dueNote() const;
    // The sharp or flat the due note is written with. A natural sign is written for the
    // reader only: the note itself is plain, and so is a note after the drill's end.
    Accidental dueAccidental() const;

    // The space bar: the next analysed block counts as the due note.
    void requestSkip() { skipRequest_ = true; }
    bool skipRequest() const { return skipRequest_; }
    // What the detector is asked to read the next block as, if anything.
    std::optional<int> skipTo() const;

    // Judges what the detector made of one block, `cents` off the due note
    // when measured; true when the due note is accepted with it. Uses up the
    // skip request when the block used it.
    bool judgeBlock(const DetectionResult& detection, int cycles,
                    std::optional<double> cents = std::nullopt);
    // The tolerance the held note's median must lie within; nothing: any.
    void setTolerance(std::optional<int> cents) { judge_.setTolerance(cents); }
    int holdCount() const { return judge_.holdCount(); }

    // Moves past the due note.
    Acceptance accept(bool autostart);

private:
    Melody melody_;
    int currentNoteIndex_ = 0;
    int keySignature_ = 1;
    bool skipRequest_ = false;
    SungNoteJudge judge_;
};
