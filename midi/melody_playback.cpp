#include "midi/melody_playback.h"

#include "midi/midi_messages.h"
#include "music/pitch.h"

void MelodyPlayback::play(const std::vector<int>& noteIndices, Sound sound, Callbacks callbacks,
                          int durationMs)
{
    std::vector<TimedSequence::Step> steps;
    steps.push_back({[this, sound] {
                         out_.Play(midiStatus::programChange, sound.miditimbre,
                                   playbackReleaseVelocity);
                         out_.Play(midiStatus::programChangeChannel13, sound.miditimbre,
                                   playbackReleaseVelocity);
                     },
                     0, false});
    const int velocity = noteOnVelocity(sound.midiVol);
    for (int i = 0; i < static_cast<int>(noteIndices.size()); ++i) {
        const int key =
            midiKeyOfNoteIndex(noteIndices[static_cast<std::size_t>(i)], sound.transpose);
        steps.push_back({[this, key, velocity, i, highlight = callbacks.highlight] {
                             out_.currentKey = key;
                             out_.Play(midiStatus::noteOn, key, velocity);
                             if (highlight)
                                 highlight(i);
                         },
                         durationMs, false});
        // The note-off names the key this step started, so a key stored in
        // currentKey meanwhile (a click on the keyboard) cannot leave it hanging.
        steps.push_back({[this, key, i, unhighlight = callbacks.unhighlight] {
                             out_.Silence(midiStatus::noteOff, key, playbackReleaseVelocity);
                             if (unhighlight)
                                 unhighlight(i);
                         },
                         0, true});
    }
    sequence_.start(std::move(steps), std::move(callbacks.finished));
}
