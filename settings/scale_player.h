#pragma once

#include "midi/midi_out.h"
#include "platform/system/timed_sequence.h"

#include <cstdint>
#include <functional>

// "Play Scale": the keys of a mask upward from middle C, the lowest key again
// an octave up, then the keys downward. Each key sounds 350 ms and is
// followed by 50 ms of silence; a stop request ends the scale after the note
// that sounds. Returns at once: the notes follow on the GUI thread's timers.
class ScalePlayer {
public:
    static constexpr int kTonicKey = 60; // key 0 of the page is middle C
    static constexpr int kNoteMs = 350;
    static constexpr int kGapMs = 50;
    static constexpr int kReleaseVelocity = 120;

    struct Callbacks {
        std::function<void(int key, bool sounding)> showKey; // key 0..11 of the page
        std::function<void()> finished;                      // played out or stopped
    };

    // Without an output (null) the scale plays silently.
    explicit ScalePlayer(MidiOut* out) : out_(out) {}
    ~ScalePlayer();

    // Plays `mask` (bit k = key k) at note-on velocity `midiVol`; a mask
    // without keys plays nothing and finishes at once.
    void play(std::uint32_t mask, int midiVol, Callbacks callbacks);
    void requestStop() { sequence_.requestStop(); }
    // Ends at once, silencing the note that sounds; no finished call.
    void abort();
    bool isPlaying() const { return sequence_.isRunning(); }

private:
    void addNote(std::vector<TimedSequence::Step>& steps, int key, int pageKey,
                 int releaseVelocity);

    MidiOut* out_;
    TimedSequence sequence_;
    Callbacks callbacks_;
    int velocity_ = 0;
    SoundingNote sounding_; // the note of the step that sounds
};
