#pragma once

#include "midi/midi_out.h"
#include "platform/system/timed_sequence.h"

#include <functional>
#include <vector>

// Plays a drill melody note by note through the MIDI output ("Hear"): the
// timbre on channels 1 and 13, then for each note its note-on, the highlight,
// the note's duration, the note-off and the highlight's removal. A stop request
// takes effect after the current note.
class MelodyPlayback {
public:
    struct Sound {
        int miditimbre = 0;
        int midiVol = 100;
        int transpose = 24;
    };
    struct Callbacks {
        std::function<void(int note)> highlight;    // note i starts sounding
        std::function<void(int note)> unhighlight;  // note i has been stopped
        std::function<void(bool stopped)> finished; // the playback is over
    };
    static constexpr int noteMs = 400;

    explicit MelodyPlayback(MidiOut& out) : out_(out) {}

    // Starts playing `noteIndices` (note indices, 0 = C2); returns at once.
    void play(const std::vector<int>& noteIndices, Sound sound, Callbacks callbacks,
              int durationMs = noteMs);
    void requestStop() { sequence_.requestStop(); }
    bool isPlaying() const { return sequence_.isRunning(); }

private:
    MidiOut& out_;
    SoundingNote note_; // the note of the step that sounds
    TimedSequence sequence_;
};
